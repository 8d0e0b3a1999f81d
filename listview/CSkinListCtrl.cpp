#include "listview/CSkinListCtrl.h"
#include "framework/CPaintDC.h"
#include "listview/COffscreenDC.h"
#include "listview/CSkinScrollBars.h"

namespace {
// The list view runs this timer itself; whatever it draws then must go over the skin again.
const UINT_PTR kListViewTimer = 43;

POINT ScrollPosition(HWND wnd)
{
    return {::GetScrollPos(wnd, SB_HORZ), ::GetScrollPos(wnd, SB_VERT)};
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
    switch (msg) {
    case WM_ERASEBKGND:
        result = TRUE;
        return true;
    case WM_VSCROLL:
    case WM_HSCROLL:
        InvalidateAll();
        result = Default();
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
    SendMessage(LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(m_textColor));
    if (m_bTextBkPending) {
        m_bTextBkPending = false;
        SendMessage(LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(CLR_NONE));
    }
    CSkinScrollBars bars(m_hWnd, *m_memDC);
    bars.Save();
    CPaintDC paint(m_hWnd);
    bars.Blend();
    PaintRows(paint);
}

void CSkinListCtrl::PaintRows(HDC target)
{
    RECT client = GetClientRect();
    COffscreenDC offscreen(target);
    ::BitBlt(offscreen, 0, 0, client.right - client.left, client.bottom - client.top, *m_memDC, 0, 0,
             SRCCOPY);
    // With no background colour and no text background the list view draws
    // icons and text over the skin without filling anything.
    Default(WM_PAINT, reinterpret_cast<WPARAM>(offscreen.m_hDC), 0);
}
