#pragma once
#include <windows.h>
#include <commctrl.h>
#include <string>

// The object behind a window. It lives in the window as a property, with a
// copy in the window's user data that is quicker to find, and takes over the
// window procedure when it subclasses the window; unhandled messages go to the
// procedure it replaced. A window whose user data is already in use is refused.
class CWnd {
public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    virtual ~CWnd();

    HWND m_hWnd = nullptr;
    operator HWND() const { return m_hWnd; }

    // The object that subclassed hWnd, or null.
    static CWnd* FromHandle(HWND hWnd);

    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    HWND UnsubclassWindow();

    LRESULT SendMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageA(m_hWnd, msg, wParam, lParam);
    }
    BOOL PostMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::PostMessageA(m_hWnd, msg, wParam, lParam);
    }
    std::string GetWindowText() const;
    RECT GetClientRect() const;
    RECT GetWindowRect() const;
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_STYLE)); }
    DWORD GetExStyle() const { return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_EXSTYLE)); }
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT swpFlags = 0);
    void Invalidate(BOOL erase = TRUE) const { ::InvalidateRect(m_hWnd, nullptr, erase); }
    void SetRedraw(BOOL redraw) const { SendMessage(WM_SETREDRAW, static_cast<WPARAM>(redraw)); }

protected:
    // One virtual per window class: return true when the message was handled,
    // with its result in result; false sends it on to the previous procedure.
    virtual bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // WM_NOTIFY and WM_DRAWITEM about this window, reflected by its parent.
    virtual bool OnNotifyReflect(NMHDR* header, LRESULT& result);
    virtual bool OnDrawItemReflect(DRAWITEMSTRUCT* item);
    // Called just before the window procedure is replaced.
    virtual void PreSubclassWindow() {}

    // The previous procedure's answer to the message being handled.
    LRESULT Default();
    // The previous procedure's answer to a message of our own making.
    LRESULT Default(UINT msg, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);
    static bool ReflectToChild(UINT msg, LPARAM lParam, LRESULT& result);
    void Detach();

    struct Message {
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
    };
    WNDPROC m_prevProc = nullptr;
    Message m_current{};
};
