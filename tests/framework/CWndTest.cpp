#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include "framework/CDialog.h"
#include "framework/CWnd.h"
#include "res/resource.h"

namespace {

// Counts what reaches it and answers WM_USER itself.
class CountingWnd : public CWnd {
public:
    int userMessages = 0;
    int notifications = 0;
    bool handleNotify = true;

protected:
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        if (msg == WM_USER) {
            ++userMessages;
            result = 42;
            return true;
        }
        return CWnd::OnMessage(msg, wParam, lParam, result);
    }
    bool OnNotifyReflect(NMHDR*, LRESULT& result) override
    {
        ++notifications;
        result = 7;
        return handleNotify;
    }
};

LRESULT CALLBACK PlainProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_USER + 1)
        return 99;  // proves unhandled messages reach the replaced procedure
    return ::DefWindowProcA(hWnd, msg, wParam, lParam);
}

HWND MakeWindow(HWND parent = nullptr)
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSA cls{};
        cls.lpfnWndProc = PlainProc;
        cls.hInstance = ::GetModuleHandleA(nullptr);
        cls.lpszClassName = "OrbiquelTestWindow";
        ::RegisterClassA(&cls);
        registered = true;
    }
    return ::CreateWindowA("OrbiquelTestWindow", "", parent ? WS_CHILD : WS_POPUP, 0, 0, 10, 10, parent,
                           nullptr, ::GetModuleHandleA(nullptr), nullptr);
}

}

TEST(CWnd, SubclassingRoutesMessagesAndDefaultReachesThePreviousProcedure)
{
    HWND hWnd = MakeWindow();
    CountingWnd wnd;
    ASSERT_TRUE(wnd.SubclassWindow(hWnd));
    EXPECT_EQ(CWnd::FromHandle(hWnd), &wnd);
    EXPECT_EQ(::SendMessageA(hWnd, WM_USER, 0, 0), 42);
    EXPECT_EQ(::SendMessageA(hWnd, WM_USER + 1, 0, 0), 99);
    EXPECT_EQ(wnd.userMessages, 1);
    ::DestroyWindow(hWnd);
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandle(hWnd), nullptr);
}

TEST(CWnd, AWindowCannotBeSubclassedByTwoObjects)
{
    HWND hWnd = MakeWindow();
    CountingWnd first, second;
    ASSERT_TRUE(first.SubclassWindow(hWnd));
    EXPECT_FALSE(second.SubclassWindow(hWnd));
    ::DestroyWindow(hWnd);
}

TEST(CWnd, AWindowWhoseUserDataIsInUseIsRefused)
{
    HWND hWnd = MakeWindow();
    ::SetWindowLongPtrA(hWnd, GWLP_USERDATA, 1234);
    CountingWnd wnd;
    EXPECT_FALSE(wnd.SubclassWindow(hWnd));
    EXPECT_EQ(::GetWindowLongPtrA(hWnd, GWLP_USERDATA), 1234);
    EXPECT_EQ(CWnd::FromHandle(hWnd), nullptr);
    ::DestroyWindow(hWnd);
}

TEST(CWnd, UnsubclassingLeavesALaterSubclassInPlace)
{
    HWND hWnd = MakeWindow();
    CountingWnd wnd;
    wnd.SubclassWindow(hWnd);
    auto later = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PlainProc)));
    EXPECT_EQ(CWnd::FromHandle(hWnd), &wnd);
    wnd.UnsubclassWindow();
    EXPECT_EQ(CWnd::FromHandle(hWnd), nullptr);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hWnd, GWLP_WNDPROC)), &PlainProc);
    EXPECT_NE(later, &PlainProc);
    ::DestroyWindow(hWnd);
}

TEST(CWnd, NotificationsAreReflectedToTheChildFirst)
{
    HWND parentWnd = MakeWindow();
    HWND childWnd = MakeWindow(parentWnd);
    CountingWnd parent, child;
    parent.SubclassWindow(parentWnd);
    child.SubclassWindow(childWnd);
    NMHDR header{childWnd, 5, NM_CLICK};
    EXPECT_EQ(::SendMessageA(parentWnd, WM_NOTIFY, 5, reinterpret_cast<LPARAM>(&header)), 7);
    EXPECT_EQ(child.notifications, 1);

    // What the child leaves unhandled goes on to the parent's own handling.
    child.handleNotify = false;
    EXPECT_EQ(::SendMessageA(parentWnd, WM_NOTIFY, 5, reinterpret_cast<LPARAM>(&header)), 0);
    EXPECT_EQ(child.notifications, 2);
    ::DestroyWindow(parentWnd);
}

namespace {
class ScriptedDialog : public CDialog {
public:
    explicit ScriptedDialog(UINT command) : CDialog(IDD_ABOUTBOX), m_command(command) {}
    int okCalls = 0;
    int cancelCalls = 0;

protected:
    BOOL OnInitDialog() override
    {
        PostMessage(WM_COMMAND, m_command);
        return TRUE;
    }
    void OnOK() override
    {
        ++okCalls;
        CDialog::OnOK();
    }
    void OnCancel() override
    {
        // The first cancel is refused, as the main window refuses Escape.
        if (++cancelCalls == 2)
            EndDialog(IDABORT);
        else
            PostMessage(WM_CLOSE);
    }

private:
    UINT m_command;
};
}

TEST(CDialog, IdOkReachesOnOK)
{
    ScriptedDialog dialog(IDOK);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.okCalls, 1);
}

TEST(CDialog, CloseGoesThroughOnCancelUntilItEndsTheDialog)
{
    ScriptedDialog dialog(IDCANCEL);
    EXPECT_EQ(dialog.DoModal(), IDABORT);
    EXPECT_EQ(dialog.cancelCalls, 2);
    EXPECT_EQ(dialog.okCalls, 0);
}
