#pragma once
#include "framework/CDC.h"

// The client-area DC of a window, released on destruction.
class CClientDC : public CDC {
public:
    explicit CClientDC(HWND wnd) : CDC(::GetDC(wnd)), m_hWnd(wnd) {}
    ~CClientDC() override
    {
        if (m_hDC)
            ::ReleaseDC(m_hWnd, Detach());
    }

private:
    HWND m_hWnd;
};
