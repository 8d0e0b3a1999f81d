#pragma once
#include <windows.h>
#include <memory>
#include "framework/CBitmap.h"
#include "framework/CBrush.h"
#include "framework/CDC.h"

class CWnd;

// What a skinned control does to the parent's pixels it captured.
enum {
    SKIN_COPY = 1,     // nothing: the parent's pixels as they are
    SKIN_STIPPLE = 2,  // every second pixel (checkerboard) becomes the stipple colour
    SKIN_SHADE = 3,    // every channel lightened or darkened by the level
};

// Second base of every skinned control. The control shows the parent's pixels
// under it: UpdateBackground copies them out of the parent's client DC into
// m_memDC once per placement and processes them once; the control then paints
// from m_memDC (its pixel (0, 0) is the control's client pixel (0, 0)) as
// often as it likes. Moves and resizes mark the copy stale.
class CSkinBackground {
public:
    CSkinBackground();
    CSkinBackground(const CSkinBackground&) = delete;
    CSkinBackground& operator=(const CSkinBackground&) = delete;
    virtual ~CSkinBackground();

    // Each non-null setting in this order: effect, level, stipple colour,
    // text colour. The result is SetEffect's, TRUE without an effect.
    virtual BOOL ApplySkin(const int* effect, const short* level, const COLORREF* bkColor,
                           const COLORREF* textColor);
    // Both return the previous colour.
    virtual COLORREF SetBkColor(COLORREF color);
    virtual COLORREF SetTextColor(COLORREF color);
    // The next UpdateBackground captures again; nothing is repainted here.
    virtual void InvalidateBackground(int unused);
    // FALSE (effect kept) for SKIN_SHADE on a display below 15 bits per pixel.
    virtual BOOL SetEffect(int effect);
    // Negative levels darken. Level 0 under SKIN_SHADE falls back to SKIN_COPY
    // and returns FALSE.
    virtual BOOL SetLevel(short level);

    static BOOL DisplayHasHighColor();
    // SKIN_SHADE on a bitmap that no DC holds: 24 and 32 bits per pixel
    // bytewise, 16 bits as 5-5-5 words; FALSE for palette depths.
    static BOOL ShadeBitmap(HDC dc, HBITMAP bitmap, BYTE level, BOOL darken);

    // Captures the parent's pixels under owner if the copy is stale. FALSE
    // when it is stale and owner is null or has no parent.
    BOOL UpdateBackground(CWnd* owner);
    // The owner's WM_WINDOWPOSCHANGING: any change but a pure show, hide or
    // frame change makes the copy stale.
    void OnWindowPosChanging(const WINDOWPOS* wp);

protected:
    COLORREF m_textColor;
    BOOL m_stale = TRUE;
    CBrush m_patternBrush;
    CBitmap m_patternBitmap;
    HBITMAP m_oldBitmap = nullptr;  // displaced from m_memDC by the capture
    COLORREF m_bkColor;             // the stipple colour
    std::unique_ptr<CDC> m_memDC;
    std::unique_ptr<CBitmap> m_bitmap;
    BOOL m_darken = FALSE;
    BYTE m_level = 50;
    int m_effect = SKIN_STIPPLE;

private:
    void DropCapture();
    void ApplyStipple(int cx, int cy);
    void ApplyShade();
};
