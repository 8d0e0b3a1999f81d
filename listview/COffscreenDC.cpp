#include "listview/COffscreenDC.h"

COffscreenDC::COffscreenDC(HDC target) : m_pDC(target)
{
    m_bOffscreen = StartOffscreen();
    if (!m_bOffscreen)
        m_hDC = target;  // borrowed; detached again before CDC could delete it
}

COffscreenDC::~COffscreenDC()
{
    if (!m_bOffscreen) {
        Detach();
        return;
    }
    ::BitBlt(m_pDC, m_rect.left, m_rect.top, m_rect.right - m_rect.left, m_rect.bottom - m_rect.top,
             m_hDC, m_rect.left, m_rect.top, SRCCOPY);
    ::SelectObject(m_hDC, m_pOldBitmap);
}

bool COffscreenDC::StartOffscreen()
{
    HWND wnd = ::WindowFromDC(m_pDC);
    if (!wnd || ::GetDeviceCaps(m_pDC, TECHNOLOGY) == DT_RASPRINTER)
        return false;
    ::GetClientRect(wnd, &m_rect);
    int width = m_rect.right - m_rect.left;
    int height = m_rect.bottom - m_rect.top;
    // Without memory for the bitmap the paint still happens, only directly.
    if (!CreateCompatibleDC(m_pDC) || !m_bitmap.CreateCompatibleBitmap(m_pDC, width, height)) {
        DeleteDC();
        return false;
    }
    m_pOldBitmap = ::SelectObject(m_hDC, m_bitmap);
    ::SetWindowOrgEx(m_hDC, m_rect.left, m_rect.top, nullptr);
    return true;
}
