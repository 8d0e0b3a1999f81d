#include "listview/CSkinListCtrl.h"
#include "framework/CClientDC.h"
#include "framework/CPaintDC.h"
#include "listview/COffscreenDC.h"
#include "listview/CSkinScrollBars.h"

// When the scroll bars are blended over the skin, and why. Wine's list view
// draws its bars straight onto the screen, outside the paint, and sends
// nothing that could be answered; so each way the bars get drawn is followed
// by a blend (BlendScrollBars), all of them in OnMessage but the paint's:
// - a paint blends after BeginPaint, which draws the frame, and again after
//   the rows, as the list view's first paint lays out its rows and redraws
//   its bar on the way;
// - any message whose default processing changed which bars show or where
//   they stand (rows added or removed, keys, the wheel, a resize): the list
//   view redraws a bar as it changes;
// - frame paints and the bar's own mouse handling (pressed arrows, the
//   thumb): they draw the bar without changing it;
// - a scroll message, at once and again when its sender is done (a posted
//   message): the bar's own mouse handling draws the bar after the scroll
//   message returns.

namespace {
// The list view runs this timer itself; whatever it draws then must go over the skin again.
const UINT_PTR kListViewTimer = 43;
// Posted to blend the bars once the code that sent a scroll message has drawn them.
const UINT kBlendBarsMessage = WM_APP + 16;

POINT ScrollPosition(HWND wnd)
{
    return {::GetScrollPos(wnd, SB_HORZ), ::GetScrollPos(wnd, SB_VERT)};
}

// Which scroll bars the list shows and where they stand. The list view
// redraws a bar on screen itself whenever this changes.
struct BarState {
    DWORD bars = 0;
    SCROLLINFO vertical{};
    SCROLLINFO horizontal{};
};

bool SameInfo(const SCROLLINFO& a, const SCROLLINFO& b)
{
    return a.nMin == b.nMin && a.nMax == b.nMax && a.nPage == b.nPage && a.nPos == b.nPos &&
           a.nTrackPos == b.nTrackPos;
}

bool operator==(const BarState& a, const BarState& b)
{
    return a.bars == b.bars && SameInfo(a.vertical, b.vertical) && SameInfo(a.horizontal, b.horizontal);
}

BarState ReadBars(HWND wnd)
{
    BarState state;
    state.bars = static_cast<DWORD>(::GetWindowLongA(wnd, GWL_STYLE)) & (WS_VSCROLL | WS_HSCROLL);
    state.vertical.cbSize = state.horizontal.cbSize = sizeof(SCROLLINFO);
    state.vertical.fMask = state.horizontal.fMask = SIF_ALL;
    if (state.bars & WS_VSCROLL)
        ::GetScrollInfo(wnd, SB_VERT, &state.vertical);
    if (state.bars & WS_HSCROLL)
        ::GetScrollInfo(wnd, SB_HORZ, &state.horizontal);
    return state;
}

bool IsScroll(UINT msg)
{
    return msg == WM_VSCROLL || msg == WM_HSCROLL;
}

// Messages whose default processing draws the bars whether or not they move.
bool DrawsBars(UINT msg, WPARAM wParam)
{
    switch (msg) {
    case WM_NCPAINT:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCLBUTTONUP:
    case WM_NCMOUSEMOVE:
    case WM_NCMOUSELEAVE:
    case WM_VSCROLL:
    case WM_HSCROLL:
        return true;
    case WM_SYSCOMMAND:
        return (wParam & 0xFFF0) == SC_VSCROLL || (wParam & 0xFFF0) == SC_HSCROLL;
    }
    return false;
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
    BarState before = ReadBars(m_hWnd);
    if (!OnSkinMessage(msg, wParam, lParam, result))
        result = Default();
    if (IsScroll(msg) && !m_bBlendPosted)
        m_bBlendPosted = PostMessage(kBlendBarsMessage) != FALSE;
    if (DrawsBars(msg, wParam) || !(ReadBars(m_hWnd) == before))
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
    case WM_MOUSEWHEEL:
        result = ScrollWatched();
        return true;
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
    if (m_stale || !m_memDC || !(GetStyle() & (WS_VSCROLL | WS_HSCROLL)) || !::IsWindowVisible(m_hWnd))
        return;
    CSkinScrollBars bars(m_hWnd, *m_memDC);
    bars.Blend();
}

// Keys and the wheel scroll the list view without WM_VSCROLL; its own scroll
// would carry the skin along with the rows.
LRESULT CSkinListCtrl::ScrollWatched()
{
    POINT before = ScrollPosition(m_hWnd);
    LRESULT result = Default();
    POINT after = ScrollPosition(m_hWnd);
    if (before.x != after.x || before.y != after.y)
        InvalidateAll();
    return result;
}

void CSkinListCtrl::ScrollIntoView(int row) const
{
    POINT before = ScrollPosition(m_hWnd);
    EnsureVisible(row, FALSE);
    POINT after = ScrollPosition(m_hWnd);
    if (before.x != after.x || before.y != after.y)
        InvalidateAll();
}

void CSkinListCtrl::OnPaint()
{
    if (!UpdateBackground(this)) {
        ::ValidateRect(m_hWnd, nullptr);
        return;
    }
    if (m_bTextBkPending) {
        m_bTextBkPending = false;
        SendMessage(LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(CLR_NONE));
    }
    CSkinScrollBars bars(m_hWnd, *m_memDC);
    bars.Save();
    CPaintDC paint(m_hWnd);
    bars.Blend();
    PaintRows(paint, paint.m_ps.rcPaint);
    // Again after the rows: the list view's first paint lays out its rows and
    // redraws its scroll bar on the way.
    bars.Blend();
}

void CSkinListCtrl::UpdateRows()
{
    RECT area{};
    // A skin still to be taken, or the first paint, goes the whole way.
    if (m_stale || m_bTextBkPending || !m_memDC || !::GetUpdateRect(m_hWnd, &area, FALSE)) {
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
