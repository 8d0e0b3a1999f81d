#pragma once
#include "framework/CDialog.h"
#include "skin/CDibImage.h"

// How a skinned dialog lays its background bitmap over the client area.
enum {
    BG_TILE = 0,     // repeated from the top-left corner
    BG_STRETCH = 1,  // stretched over the whole client area
    BG_CENTER = 2,   // default erase, then the image at natural size, centred
};

// A dialog whose face is a bitmap, with the palette handling that a
// 256-colour display needs.
class CSkinDialog : public CDialog {
public:
    using CDialog::CDialog;

    // Loads bitmap resource nIDBitmap (low 16 bits) as the background; does
    // not repaint. With no loadable bitmap the dialog erases as usual.
    BOOL SetBackground(UINT nIDBitmap, int mode);
    // Bitmap resource nIDBitmap area-averaged to width x height, the client
    // area's size, where BG_STRETCH then draws it 1:1.
    BOOL SetScaledBackground(UINT nIDBitmap, int width, int height);

    // Lays image over a client area of width x height in the given mode
    // (BG_CENTER without its default erase).
    static void DrawBackground(CDibImage& image, CDC* dc, int mode, int width, int height);

protected:
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    LRESULT OnEraseBkgnd(CDC* pDC);
    LRESULT OnQueryNewPalette();
    void OnPaletteChanged(HWND focusWnd);

    CDibImage m_background;
    int m_backgroundMode = BG_TILE;

private:
    // Realises the background's palette on a client DC; TRUE when entries changed.
    bool RealizeBackgroundPalette(BOOL background);
};
