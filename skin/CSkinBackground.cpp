#include "skin/CSkinBackground.h"
#include <algorithm>
#include <cstdlib>
#include <new>
#include <utility>
#include <vector>
#include "framework/CClientDC.h"
#include "framework/CSelectGuard.h"
#include "framework/CWinApp.h"
#include "framework/CWnd.h"
#include "skin/DibFile.h"
#include "skin/ShadePixels.h"

namespace {
const UINT kCheckerBitmap = 130;
const DWORD kStippleMask = 0x00A000C9;  // dest AND pattern
const DWORD kStippleFill = 0x00FA0089;  // dest OR pattern
const UINT kStaleKeepingFlags = SWP_FRAMECHANGED | SWP_SHOWWINDOW | SWP_HIDEWINDOW;

// The offset from a control's outer corner to its client corner.
POINT ClientEdgeOffset(HWND wnd)
{
    DWORD exStyle = static_cast<DWORD>(::GetWindowLongA(wnd, GWL_EXSTYLE));
    if (exStyle & (WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME))
        return {::GetSystemMetrics(SM_CXEDGE), ::GetSystemMetrics(SM_CYEDGE)};
    if (::GetWindowLongA(wnd, GWL_STYLE) & WS_BORDER)
        return {::GetSystemMetrics(SM_CXBORDER), ::GetSystemMetrics(SM_CYBORDER)};
    return {0, 0};
}
}

CSkinBackground::CSkinBackground()
    : m_textColor(::GetSysColor(COLOR_WINDOWTEXT)),
      m_bkColor(::GetSysColor(COLOR_BTNFACE)),
      m_memDC(std::make_unique<CDC>()),
      m_bitmap(std::make_unique<CBitmap>())
{
    if (m_patternBitmap.LoadBitmap(AfxGetResourceHandle(), kCheckerBitmap))
        m_patternBrush.CreatePatternBrush(m_patternBitmap);
    else
        m_patternBrush.CreateHatchBrush(HS_DIAGCROSS, m_bkColor);
}

CSkinBackground::~CSkinBackground()
{
    DropCapture();
}

BOOL CSkinBackground::ApplySkin(const int* effect, const short* level, const COLORREF* bkColor,
                                const COLORREF* textColor)
{
    BOOL result = TRUE;
    if (effect)
        result = SetEffect(*effect);
    if (level)
        SetLevel(*level);
    if (bkColor)
        SetBkColor(*bkColor);
    if (textColor)
        SetTextColor(*textColor);
    return result;
}

COLORREF CSkinBackground::SetBkColor(COLORREF color)
{
    return std::exchange(m_bkColor, color);
}

COLORREF CSkinBackground::SetTextColor(COLORREF color)
{
    return std::exchange(m_textColor, color);
}

void CSkinBackground::InvalidateBackground(int)
{
    m_stale = TRUE;
}

BOOL CSkinBackground::SetEffect(int effect)
{
    if (effect == SKIN_SHADE && !DisplayHasHighColor())
        return FALSE;
    m_effect = effect;
    return TRUE;
}

BOOL CSkinBackground::SetLevel(short level)
{
    if (level == 0 && m_effect == SKIN_SHADE) {
        m_effect = SKIN_COPY;
        return FALSE;
    }
    m_darken = level < 0;
    m_level = static_cast<BYTE>(std::min(std::abs(static_cast<int>(level)), 255));
    return TRUE;
}

BOOL CSkinBackground::DisplayHasHighColor()
{
    CDC info;
    if (!info.CreateIC("DISPLAY"))
        return FALSE;
    return ::GetDeviceCaps(info, BITSPIXEL) >= 15;
}

void CSkinBackground::OnWindowPosChanging(const WINDOWPOS* wp)
{
    if (!(wp->flags & kStaleKeepingFlags))
        InvalidateBackground(0);
}

BOOL CSkinBackground::UpdateBackground(CWnd* owner)
{
    if (!m_stale)
        return TRUE;
    // A failed capture is not retried until the control moves again.
    m_stale = FALSE;
    HWND parent = owner ? ::GetParent(owner->m_hWnd) : nullptr;
    if (!parent)
        return FALSE;

    RECT outer = owner->GetWindowRect();
    POINT edge = ClientEdgeOffset(owner->m_hWnd);
    int cx = outer.right - outer.left;
    int cy = outer.bottom - outer.top;
    POINT source{outer.left + edge.x, outer.top + edge.y};
    ::ScreenToClient(parent, &source);

    CClientDC parentDC(parent);
    // Creating them anew deletes the previous DC and bitmap.
    DropCapture();
    m_memDC->CreateCompatibleDC(parentDC);
    m_bitmap->CreateCompatibleBitmap(parentDC, cx, cy);
    m_oldBitmap = static_cast<HBITMAP>(::SelectObject(*m_memDC, *m_bitmap));
    ::BitBlt(*m_memDC, 0, 0, cx, cy, parentDC, source.x, source.y, SRCCOPY);

    if (m_effect == SKIN_STIPPLE)
        ApplyStipple(cx, cy);
    else if (m_effect == SKIN_SHADE)
        ApplyShade();
    return TRUE;
}

// Puts the memory DC's own bitmap back, so that the captured bitmap and the
// DC can be deleted or replaced.
void CSkinBackground::DropCapture()
{
    if (m_oldBitmap)
        ::SelectObject(*m_memDC, m_oldBitmap);
    m_oldBitmap = nullptr;
}

// With the checkerboard, 0 bits take the text colour and 1 bits the
// background colour: first clear the 0-bit pixels to black, then paint the
// stipple colour into them.
void CSkinBackground::ApplyStipple(int cx, int cy)
{
    HDC dc = *m_memDC;
    CSelectGuard brush(dc, m_patternBrush);
    ::SetBkColor(dc, RGB(255, 255, 255));
    ::SetTextColor(dc, RGB(0, 0, 0));
    ::PatBlt(dc, 0, 0, cx, cy, kStippleMask);
    ::SetBkColor(dc, RGB(0, 0, 0));
    ::SetTextColor(dc, m_bkColor);
    ::PatBlt(dc, 0, 0, cx, cy, kStippleFill);
}

void CSkinBackground::ApplyShade()
{
    // GetDIBits and SetDIBits want the bitmap out of any DC while they work.
    HDC dc = *m_memDC;
    ::SelectObject(dc, m_oldBitmap);
    ShadeBitmap(dc, *m_bitmap, m_level, m_darken);
    ::SelectObject(dc, *m_bitmap);
}

BOOL CSkinBackground::ShadeBitmap(HDC dc, HBITMAP bitmap, BYTE level, BOOL darken)
{
    BITMAP info{};
    if (!::GetObjectA(bitmap, sizeof info, &info))
        return FALSE;
    // Room behind the header in case the driver adds colour masks.
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colors[256];
    } format{};
    BITMAPINFOHEADER& header = format.header;
    header.biSize = sizeof header;
    header.biWidth = info.bmWidth;
    header.biHeight = info.bmHeight;
    header.biPlanes = info.bmPlanes;
    header.biBitCount = static_cast<WORD>(info.bmPlanes * info.bmBitsPixel);
    header.biCompression = BI_RGB;
    // Palette indexes have no brightness to shift.
    if (header.biBitCount < 16)
        return FALSE;

    UINT lines = static_cast<UINT>(info.bmHeight);
    auto stride = static_cast<size_t>(DibRowBytes(static_cast<std::uint64_t>(info.bmWidth), header.biBitCount));
    std::vector<BYTE> pixels;
    try {
        pixels.resize(stride * lines);
    } catch (const std::bad_alloc&) {
        // We run inside a paint: leave the capture unshaded rather than throw.
        return FALSE;
    }
    auto* bitmapInfo = reinterpret_cast<BITMAPINFO*>(&format);
    if (pixels.empty() || !::GetDIBits(dc, bitmap, 0, lines, pixels.data(), bitmapInfo, DIB_RGB_COLORS))
        return FALSE;
    ShadePixels(pixels.data(), pixels.size(), header.biBitCount, level, darken != FALSE);
    ::GdiFlush();
    return ::SetDIBits(dc, bitmap, 0, lines, pixels.data(), bitmapInfo, DIB_RGB_COLORS) != 0;
}
