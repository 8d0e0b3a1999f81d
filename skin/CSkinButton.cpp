#include "skin/CSkinButton.h"
#include <exception>
#include <string>

namespace {
void FillSolidRect(HDC dc, int x, int y, int cx, int cy, COLORREF color)
{
    RECT rect{x, y, x + cx, y + cy};
    ::SetBkColor(dc, color);
    ::ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

// A one-pixel frame inside rc: top and left edges in one colour, bottom and
// right in the other.
void Draw3dRect(HDC dc, const RECT& rc, COLORREF topLeft, COLORREF bottomRight)
{
    int cx = rc.right - rc.left;
    int cy = rc.bottom - rc.top;
    FillSolidRect(dc, rc.left, rc.top, cx - 1, 1, topLeft);
    FillSolidRect(dc, rc.left, rc.top, 1, cy - 1, topLeft);
    FillSolidRect(dc, rc.right - 1, rc.top, 1, cy, bottomRight);
    FillSolidRect(dc, rc.left, rc.bottom - 1, cx, 1, bottomRight);
}

int DrawButtonText(HDC dc, std::string& text, RECT* rect, UINT format)
{
    return ::DrawTextExA(dc, &text[0], static_cast<int>(text.size()), rect, format, nullptr);
}

int Width(const RECT& rect)
{
    return rect.right - rect.left;
}

int Height(const RECT& rect)
{
    return rect.bottom - rect.top;
}
}

void CSkinButton::PreSubclassWindow()
{
    // Whatever the dialog template says, we paint the button ourselves.
    ModifyStyle(0, BS_OWNERDRAW, 0);
    CButton::PreSubclassWindow();
}

bool CSkinButton::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (msg) {
    case WM_ERASEBKGND:
        // The parent has painted under us by now: take its pixels, paint nothing.
        UpdateBackground(this);
        result = TRUE;
        return true;
    case WM_WINDOWPOSCHANGING:
        OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(lParam));
        result = 0;
        return true;
    case WM_GETDLGCODE:
        // An owner-drawn button is no push button to the dialog manager, which
        // would then give Enter to the default button whatever has the focus.
        result = DLGC_BUTTON | (::GetFocus() == m_hWnd ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
        return true;
    case BM_SETSTYLE:
        // The dialog manager moves the default look with the focus; taking its
        // style would end the owner-draw. Our face has no default look.
        if (lParam)
            Invalidate();
        result = 0;
        return true;
    }
    return CButton::OnMessage(msg, wParam, lParam, result);
}

bool CSkinButton::OnDrawItemReflect(DRAWITEMSTRUCT* item)
{
    try {
        DrawItem(item);
    } catch (const std::exception&) {
        // Out of memory for the caption: an unpainted button beats a crash.
    }
    return true;
}

void CSkinButton::DrawItem(const DRAWITEMSTRUCT* item)
{
    std::string text = GetWindowText();
    HDC dc = item->hDC;
    const RECT& rc = item->rcItem;
    int saved = ::SaveDC(dc);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, m_textColor);

    if (item->itemState & ODS_SELECTED)
        DrawPressed(dc, rc, text);
    else
        DrawNormal(dc, rc, text);

    if (item->itemAction & ODA_FOCUS)
        m_focusShown = static_cast<int>(item->itemState & ODS_FOCUS);
    if (m_focusShown) {
        RECT focus = rc;
        ::InflateRect(&focus, -3, -3);
        ::DrawFocusRect(dc, &focus);
    }
    ::RestoreDC(dc, saved);
}

// Only the frame and the text move; the face stays as the normal look left it.
void CSkinButton::DrawPressed(HDC dc, const RECT& rc, std::string& text) const
{
    Draw3dRect(dc, rc, ::GetSysColor(COLOR_3DDKSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    if (text.empty())
        return;
    RECT textRect = rc;
    DrawButtonText(dc, text, &textRect, DT_CALCRECT | DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    ::OffsetRect(&textRect, (rc.left + rc.right) / 2 - (textRect.left + textRect.right) / 2,
                 (rc.top + rc.bottom) / 2 - (textRect.top + textRect.bottom) / 2);
    ::BitBlt(dc, textRect.left, textRect.top, Width(textRect), Height(textRect), *m_memDC, textRect.left,
             textRect.top, SRCCOPY);
    RECT shifted = rc;
    shifted.left += 2;
    shifted.top += 2;
    DrawButtonText(dc, text, &shifted, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
}

void CSkinButton::DrawNormal(HDC dc, const RECT& rc, std::string& text) const
{
    ::BitBlt(dc, rc.left, rc.top, Width(rc), Height(rc), *m_memDC, 0, 0, SRCCOPY);
    Draw3dRect(dc, rc, ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_3DDKSHADOW));
    RECT textRect = rc;
    DrawButtonText(dc, text, &textRect, DT_NOCLIP | DT_SINGLELINE | DT_VCENTER | DT_CENTER);
}
