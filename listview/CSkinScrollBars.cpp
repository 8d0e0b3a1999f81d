#include "listview/CSkinScrollBars.h"

CSkinScrollBars::CSkinScrollBars(HWND list, HDC backdrop)
    : m_hBackdrop(backdrop), m_windowDC(list)
{
    // The list view sets and clears these bits itself as it shows and hides its bars.
    DWORD style = static_cast<DWORD>(::GetWindowLongA(list, GWL_STYLE));
    if (::GetWindowLongA(list, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) {
        m_eX = ::GetSystemMetrics(SM_CXEDGE);
        m_eY = ::GetSystemMetrics(SM_CYEDGE);
    }
    // The window rectangle in window coordinates: (0, 0) to its size.
    RECT window{};
    ::GetWindowRect(list, &window);
    ::OffsetRect(&window, -window.left, -window.top);

    if (style & WS_VSCROLL) {
        m_vertical.width = ::GetSystemMetrics(SM_CXVSCROLL);
        m_vertical.height = window.bottom - window.top - 2 * m_eX;
        m_vertical.x = window.right - m_eY - m_vertical.width;
        m_vertical.y = window.top + m_eX;
        Prepare(m_vertical);
    }
    if (style & WS_HSCROLL) {
        m_horizontal.height = ::GetSystemMetrics(SM_CYHSCROLL);
        m_horizontal.width = window.right - window.left - 2 * m_eY;
        m_horizontal.x = window.left + m_eY;
        m_horizontal.y = window.bottom - m_horizontal.height - m_eX;
        Prepare(m_horizontal);
    }
}

void CSkinScrollBars::Prepare(Bar& bar)
{
    HDC screen = m_windowDC;
    // A bar without its surfaces is left as the system draws it.
    bar.present = bar.live.Create(screen, bar.width, bar.height, false) &&
                  bar.saved.Create(screen, bar.width, bar.height, false) &&
                  bar.backdrop.Create(screen, bar.width, bar.height, false) &&
                  bar.mask.Create(screen, bar.width, bar.height, true);
}

void CSkinScrollBars::Save()
{
    m_bSaved = true;
    for (Bar* bar : {&m_vertical, &m_horizontal}) {
        if (bar->present)
            ::BitBlt(bar->saved.dc, 0, 0, bar->width, bar->height, m_windowDC, bar->x, bar->y, SRCCOPY);
    }
}

void CSkinScrollBars::Blend()
{
    Blend(m_vertical);
    Blend(m_horizontal);
    m_bSaved = false;
}

void CSkinScrollBars::Blend(Bar& bar)
{
    if (!bar.present)
        return;
    HDC screen = m_windowDC;
    int w = bar.width;
    int h = bar.height;
    ::BitBlt(bar.live.dc, 0, 0, w, h, screen, bar.x, bar.y, SRCCOPY);
    // At the first blend of a paint, the picture from before the paint goes back at once.
    if (m_bSaved)
        ::BitBlt(screen, bar.x, bar.y, w, h, bar.saved.dc, 0, 0, SRCCOPY);
    ::BitBlt(bar.backdrop.dc, 0, 0, w, h, m_hBackdrop, bar.x - m_eX, bar.y - m_eY, SRCCOPY);
    // Colour to monochrome: pixels in the live copy's background colour (button face) become 1.
    ::SetBkColor(bar.live.dc, ::GetSysColor(COLOR_BTNFACE));
    ::BitBlt(bar.mask.dc, 0, 0, w, h, bar.live.dc, 0, 0, SRCCOPY);
    // Face pixels of the bar turn black, the others keep their colour.
    ::SetBkColor(bar.live.dc, RGB(0, 0, 0));
    ::SetTextColor(bar.live.dc, RGB(255, 255, 255));
    ::BitBlt(bar.live.dc, 0, 0, w, h, bar.mask.dc, 0, 0, SRCAND);
    // The skin stays where the bar is face-coloured and turns black elsewhere.
    ::SetBkColor(bar.backdrop.dc, RGB(255, 255, 255));
    ::SetTextColor(bar.backdrop.dc, RGB(0, 0, 0));
    ::BitBlt(bar.backdrop.dc, 0, 0, w, h, bar.mask.dc, 0, 0, SRCAND);
    ::BitBlt(bar.backdrop.dc, 0, 0, w, h, bar.live.dc, 0, 0, SRCPAINT);
    ::BitBlt(screen, bar.x, bar.y, w, h, bar.backdrop.dc, 0, 0, SRCCOPY);
}

bool CSkinScrollBars::Surface::Create(HDC screen, int width, int height, bool monochrome)
{
    if (!dc.CreateCompatibleDC(screen))
        return false;
    bool made = monochrome ? bitmap.CreateBitmap(width, height, 1, 1, nullptr)
                           : bitmap.CreateCompatibleBitmap(screen, width, height);
    if (made)
        displaced = ::SelectObject(dc, bitmap);
    return made;
}

CSkinScrollBars::Surface::~Surface()
{
    // The bitmap must leave the DC before either can be deleted.
    if (displaced)
        ::SelectObject(dc, displaced);
}
