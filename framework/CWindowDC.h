#pragma once
#include "framework/CDC.h"

// The whole-window DC of a window (origin at its outer corner), released on destruction.
class CWindowDC : public CDC {
public:
    explicit CWindowDC(HWND wnd) : CDC(::GetWindowDC(wnd)), m_hWnd(wnd) {}
    ~CWindowDC() override
    {
        if (m_hDC)
            ::ReleaseDC(m_hWnd, Detach());
    }

private:
    HWND m_hWnd;
};
