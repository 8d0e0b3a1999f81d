#include "skin/CSkinDialog.h"
#include <exception>
#include "framework/CClientDC.h"
#include "skin/CDibPalette.h"
#include "skin/ScaledArt.h"
#include "skin/SkinGeometry.h"

BOOL CSkinDialog::SetBackground(UINT nIDBitmap, int mode)
{
    m_backgroundMode = mode;
    m_background.Free();
    return m_background.LoadFromResource(MAKEINTRESOURCEA(LOWORD(nIDBitmap)));
}

BOOL CSkinDialog::SetScaledBackground(UINT nIDBitmap, int width, int height)
{
    m_backgroundMode = BG_STRETCH;
    m_background.Free();
    CBitmap art;
    if (!art.Attach(LoadScaledArt(nIDBitmap, width, height)))
        return FALSE;
    CClientDC desktop(::GetDesktopWindow());
    return m_background.CreateFromBitmap(&desktop, &art);
}

void CSkinDialog::DrawBackground(CDibImage& image, CDC* dc, int mode, int width, int height)
{
    int imageWidth = image.GetWidth();
    int imageHeight = image.GetHeight();
    if (mode == BG_STRETCH) {
        image.StretchDraw(dc, 0, 0, width, height);
    } else if (mode == BG_CENTER) {
        SkinPoint origin = CentredOrigin(width, height, imageWidth, imageHeight);
        image.Draw(dc, origin.x, origin.y);
    } else {
        for (const SkinPoint& origin : TileOrigins(width, height, imageWidth, imageHeight))
            image.Draw(dc, origin.x, origin.y);
    }
}

bool CSkinDialog::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (msg) {
    case WM_ERASEBKGND: {
        CDC dc(reinterpret_cast<HDC>(wParam));
        try {
            result = OnEraseBkgnd(&dc);
        } catch (const std::exception&) {
            result = Default();
        }
        return true;
    }
    case WM_QUERYNEWPALETTE:
        result = OnQueryNewPalette();
        return true;
    case WM_PALETTECHANGED:
        OnPaletteChanged(reinterpret_cast<HWND>(wParam));
        result = 0;
        return true;
    }
    return CDialog::OnMessage(msg, wParam, lParam, result);
}

LRESULT CSkinDialog::OnEraseBkgnd(CDC* pDC)
{
    if (!m_background.IsLoaded())
        return Default();
    RECT client = GetClientRect();
    if (m_backgroundMode == BG_CENTER)
        Default();
    DrawBackground(m_background, pDC, m_backgroundMode, client.right - client.left, client.bottom - client.top);
    return TRUE;
}

LRESULT CSkinDialog::OnQueryNewPalette()
{
    if (!m_background.GetPalette() || !m_hWnd)
        return Default();
    if (!RealizeBackgroundPalette(FALSE))
        return FALSE;
    Invalidate(TRUE);
    return TRUE;
}

void CSkinDialog::OnPaletteChanged(HWND focusWnd)
{
    // Our own realisation, or a child's, has already been answered.
    if (!m_background.GetPalette() || !m_hWnd || focusWnd == m_hWnd || (focusWnd && ::IsChild(m_hWnd, focusWnd))) {
        Default();
        return;
    }
    if (RealizeBackgroundPalette(TRUE))
        Invalidate(TRUE);
}

bool CSkinDialog::RealizeBackgroundPalette(BOOL background)
{
    CClientDC dc(m_hWnd);
    HPALETTE old = ::SelectPalette(dc, *m_background.GetPalette(), background);
    UINT changed = ::RealizePalette(dc);
    ::SelectPalette(dc, old, TRUE);
    return changed != 0 && changed != GDI_ERROR;
}
