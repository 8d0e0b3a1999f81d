#pragma once
#include "framework/CListCtrl.h"
#include "skin/CSkinBackground.h"

// A report-style list view whose rows appear drawn straight onto the skin:
// each paint lays the captured skin down off screen, lets the list view draw
// its rows over it with a transparent text background, and puts the result on
// screen in one step. The scroll bars show the skin through their face.
class CSkinListCtrl : public CListCtrl, public CSkinBackground {
public:
    // Null pointers leave their setting alone. With redraw, the whole list is
    // invalidated first. The result is that of setting the effect.
    BOOL ApplySkin(const int* effect, const short* level, const COLORREF* bkColor,
                   const COLORREF* textColor, BOOL redraw);

protected:
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    // Whole client area, without erasing: the skin must not move with the rows.
    void InvalidateAll() const { ::InvalidateRect(m_hWnd, nullptr, FALSE); }
    // Paints what is invalid in the rows at once. For changes that leave the
    // scroll bars alone (row states): it skips the bars' work a paint does.
    void UpdateRows();
    // EnsureVisible (a partly visible row not accepted) that keeps the skin in place.
    void ScrollIntoView(int row) const;

private:
    bool OnSkinMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void OnPaint();
    void PaintRows(HDC target, const RECT& area);
    // Lays the bars as the system last drew them over the skin, outside a paint.
    void BlendScrollBars();

    bool m_bTextBkPending = true;
    bool m_bBlendPosted = false;
};
