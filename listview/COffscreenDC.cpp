#include "listview/COffscreenDC.h"

COffscreenDC::COffscreenDC(HDC target) : m_hTargetDC(target)
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
    ::BitBlt(m_hTargetDC, m_area.left, m_area.top, m_area.right - m_area.left, m_area.bottom - m_area.top,
             m_hDC, m_area.left, m_area.top, SRCCOPY);
    ::SelectObject(m_hDC, m_hOldBitmap);
}

bool COffscreenDC::StartOffscreen()
{
    HWND wnd = ::WindowFromDC(m_hTargetDC);
    if (!wnd || ::GetDeviceCaps(m_hTargetDC, TECHNOLOGY) == DT_RASPRINTER)
        return false;
    ::GetClientRect(wnd, &m_area);
    int width = m_area.right - m_area.left;
    int height = m_area.bottom - m_area.top;
    // Without memory for the bitmap the paint still happens, only directly.
    if (!CreateCompatibleDC(m_hTargetDC) || !m_bitmap.CreateCompatibleBitmap(m_hTargetDC, width, height)) {
        DeleteDC();
        return false;
    }
    m_hOldBitmap = ::SelectObject(m_hDC, m_bitmap);
    ::SetWindowOrgEx(m_hDC, m_area.left, m_area.top, nullptr);
    return true;
}
