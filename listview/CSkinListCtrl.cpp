#include "listview/CSkinListCtrl.h"
#include <algorithm>
#include <cstring>
#include <iterator>
#include <utility>
#include "framework/CClientDC.h"
#include "framework/CPaintDC.h"
#include "listview/COffscreenDC.h"
#include "listview/CSkinScrollBars.h"

// When the scroll bars are blended over the skin: Wine's list view draws its
// bars straight onto the screen, outside the paint, so a blend follows each
// time it may have drawn them. That is in a paint, after BeginPaint and after
// the rows (the first paint redraws the bar as it lays out the rows); after
// a message that changed the bars' presence or place (the list view redraws
// them then) or that draws them anyway (frame paints, scrolls, the bar's own
// mouse handling); and, posted, again after a scroll message's sender is done,
// as the bar's own mouse handling draws the bar once the scroll has returned.

namespace {
// The list view runs this timer itself; whatever it draws then must go over the skin again.
const UINT_PTR kListViewTimer = 43;
const UINT kBlendBarsMessage = WM_APP + 16;

// Horizontal and vertical: the list view's own scroll would carry the skin
// along with the rows, so a change repaints the whole list.
std::pair<int, int> ScrollPosition(HWND wnd)
{
    return {::GetScrollPos(wnd, SB_HORZ), ::GetScrollPos(wnd, SB_VERT)};
}

// Which scroll bars the list shows and where they stand.
struct BarState {
    explicit BarState(HWND wnd) : bars(static_cast<DWORD>(::GetWindowLongA(wnd, GWL_STYLE)) & (WS_VSCROLL | WS_HSCROLL))
    {
        if (bars & WS_VSCROLL)
            ::GetScrollInfo(wnd, SB_VERT, &vertical);
        if (bars & WS_HSCROLL)
            ::GetScrollInfo(wnd, SB_HORZ, &horizontal);
    }
    // Integers only, without padding.
    bool operator!=(const BarState& other) const { return std::memcmp(this, &other, sizeof other) != 0; }

    DWORD bars;
    SCROLLINFO vertical{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
    SCROLLINFO horizontal{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
};

// Messages whose default processing draws the bars whether or not they move.
const UINT kBarDrawingMessages[] = {WM_NCPAINT,     WM_NCLBUTTONDOWN, WM_NCLBUTTONDBLCLK, WM_NCLBUTTONUP,
                                    WM_NCMOUSEMOVE, WM_NCMOUSELEAVE,  WM_VSCROLL,         WM_HSCROLL};

bool DrawsBars(UINT msg, WPARAM wParam)
{
    if (msg == WM_SYSCOMMAND)
        return (wParam & 0xFFF0) == SC_VSCROLL || (wParam & 0xFFF0) == SC_HSCROLL;
    return std::count(std::begin(kBarDrawingMessages), std::end(kBarDrawingMessages), msg) != 0;
}
}

BOOL CSkinListCtrl::ApplySkin(const int* effect, const short* level, const COLORREF* bkColor,
                              const COLORREF* textColor, BOOL redraw)
{
    if (redraw)
        InvalidateAll();
    return CSkinBackground::ApplySkin(effect, level, bkColor, textColor);
}

bool CSkinListCtrl::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (msg == kBlendBarsMessage) {
        m_bBlendPosted = false;
        BlendScrollBars();
        result = 0;
        return true;
    }
    BarState before(m_hWnd);
    if (!OnSkinMessage(msg, wParam, lParam, result))
        result = Default();
    if ((msg == WM_VSCROLL || msg == WM_HSCROLL) && !m_bBlendPosted)
        m_bBlendPosted = PostMessage(kBlendBarsMessage) != FALSE;
    if (DrawsBars(msg, wParam) || BarState(m_hWnd) != before)
        BlendScrollBars();
    return true;
}

bool CSkinListCtrl::OnSkinMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (msg) {
    case WM_ERASEBKGND:
        result = TRUE;
        return true;
    case WM_VSCROLL:
    case WM_HSCROLL:
        // The scroll reaches the screen only through the paint that follows:
        // the list view's own would show its bar bare, and the skin moved with
        // the rows, until then.
        SendMessage(WM_SETREDRAW, FALSE);
        result = Default();
        SendMessage(WM_SETREDRAW, TRUE);
        InvalidateAll();
        return true;
    case WM_KEYDOWN:
    case WM_MOUSEWHEEL: {
        // Keys and the wheel scroll the list view without WM_VSCROLL.
        auto before = ScrollPosition(m_hWnd);
        result = Default();
        if (ScrollPosition(m_hWnd) != before)
            InvalidateAll();
        return true;
    }
    case WM_WINDOWPOSCHANGING:
        OnWindowPosChanging(reinterpret_cast<const WINDOWPOS*>(lParam));
        return false;
    case WM_NCPAINT:
        // The skin behind the scroll bars must be taken before the bars are
        // drawn over it; the first frame paint comes before the first paint.
        if (m_stale)
            UpdateBackground(this);
        return false;
    case WM_PAINT:
        OnPaint();
        result = 0;
        return true;
    case WM_KEYUP:
        result = Default();
        if (wParam == VK_UP || wParam == VK_DOWN)
            InvalidateAll();
        return true;
    case WM_TIMER:
        result = Default();
        if (wParam == kListViewTimer)
            InvalidateAll();
        return true;
    }
    return CListCtrl::OnMessage(msg, wParam, lParam, result);
}

void CSkinListCtrl::BlendScrollBars()
{
    // A stale backdrop is taken again by the next paint, which blends the bars too.
    if (m_stale || !(GetStyle() & (WS_VSCROLL | WS_HSCROLL)) || !::IsWindowVisible(m_hWnd))
        return;
    CSkinScrollBars bars(m_hWnd, *m_memDC);
    bars.Blend();
}

void CSkinListCtrl::ScrollIntoView(int row) const
{
    auto before = ScrollPosition(m_hWnd);
    EnsureVisible(row, FALSE);
    if (ScrollPosition(m_hWnd) != before)
        InvalidateAll();
}

void CSkinListCtrl::OnPaint()
{
    if (!UpdateBackground(this)) {
        ::ValidateRect(m_hWnd, nullptr);
        return;
    }
    if (std::exchange(m_bTextBkPending, false))
        SendMessage(LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(CLR_NONE));
    CSkinScrollBars bars(m_hWnd, *m_memDC);
    bars.Save();
    CPaintDC paint(m_hWnd);
    bars.Blend();
    PaintRows(paint, paint.m_ps.rcPaint);
    bars.Blend();
}

void CSkinListCtrl::UpdateRows()
{
    RECT area{};
    // A skin still to be taken, or the first paint, goes the whole way.
    if (m_stale || m_bTextBkPending || !::GetUpdateRect(m_hWnd, &area, FALSE)) {
        ::UpdateWindow(m_hWnd);
        return;
    }
    CClientDC client(m_hWnd);
    PaintRows(client, area);
    ::ValidateRect(m_hWnd, &area);
}

// The whole client area is composed off screen, but only the part to be
// painted is drawn: the screen already shows the rest.
void CSkinListCtrl::PaintRows(HDC target, const RECT& area)
{
    // The composed picture goes to the screen through the target's clipping.
    ::IntersectClipRect(target, area.left, area.top, area.right, area.bottom);
    SendMessage(LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(m_textColor));
    COffscreenDC offscreen(target);
    ::BitBlt(offscreen, area.left, area.top, area.right - area.left, area.bottom - area.top, *m_memDC, area.left,
             area.top, SRCCOPY);
    // The list view draws the rows that meet the clipping area, and only those.
    ::IntersectClipRect(offscreen, area.left, area.top, area.right, area.bottom);
    // With no background colour and no text background the list view draws
    // icons and text over the skin without filling anything.
    Default(WM_PAINT, reinterpret_cast<WPARAM>(offscreen.m_hDC), 0);
}
