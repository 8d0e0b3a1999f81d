#pragma once
#include <windows.h>
#include "framework/CWnd.h"
#include "tests/GdiObjectCount.h"

// A borderless top-level window that paints itself in one solid colour, as
// the skinned dialog's background would. Child controls sit on it.
class SolidParent : public CWnd {
public:
    SolidParent(COLORREF color, int width, int height) : m_color(color)
    {
        WNDCLASSA wc{};
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "OrbiquelSkinTestParent";
        wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
        ::RegisterClassA(&wc);
        HWND wnd = ::CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "", WS_POPUP, 0, 0, width, height,
                                     nullptr, nullptr, wc.hInstance, nullptr);
        SubclassWindow(wnd);
        ::ShowWindow(wnd, SW_SHOWNOACTIVATE);
        ::UpdateWindow(wnd);
    }
    ~SolidParent() override
    {
        HWND wnd = m_hWnd;
        UnsubclassWindow();
        ::DestroyWindow(wnd);
    }

    void SetColor(COLORREF color)
    {
        m_color = color;
        ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }

protected:
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        if (msg == WM_ERASEBKGND) {
            HDC dc = reinterpret_cast<HDC>(wParam);
            RECT client = GetClientRect();
            HBRUSH brush = ::CreateSolidBrush(m_color);
            ::FillRect(dc, &client, brush);
            ::DeleteObject(brush);
            result = TRUE;
            return true;
        }
        return CWnd::OnMessage(msg, wParam, lParam, result);
    }

private:
    COLORREF m_color;
};

// A child window of parent, hidden unless asked otherwise, so that the
// parent's own pixels stay under it.
inline HWND CreateChild(HWND parent, const char* windowClass, int x, int y, int width, int height,
                        DWORD style = 0, DWORD exStyle = 0, UINT id = 100)
{
    return ::CreateWindowExA(exStyle, windowClass, "", WS_CHILD | style, x, y, width, height, parent,
                             reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), ::GetModuleHandleA(nullptr),
                             nullptr);
}
