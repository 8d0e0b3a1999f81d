#include <gtest/gtest.h>
#include <windows.h>
#include <oleacc.h>
#include "testing/probe/agent/AgentAccessibility.h"
#include "tests/listview/ListFixture.h"

// The list's accessible object as an in-process client gets it: the rows'
// places and the questions whose answers the end-to-end test cannot see.
namespace {
int g_doubleClickedRow = -1;

// Notes the double-click the parent hears.
LRESULT CALLBACK NoteDoubleClick(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && message->message == WM_NOTIFY &&
        reinterpret_cast<const NMHDR*>(message->lParam)->code == static_cast<UINT>(NM_DBLCLK))
        g_doubleClickedRow = reinterpret_cast<const NMITEMACTIVATE*>(message->lParam)->iItem;
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

IAccessible* ClientObject(HWND list)
{
    IAccessible* object = nullptr;
    EXPECT_HRESULT_SUCCEEDED(::AccessibleObjectFromWindow(list, OBJID_CLIENT, __uuidof(IAccessible),
                                                          reinterpret_cast<void**>(&object)));
    return object;
}

void PumpMessages()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageA(&msg);
}
}

TEST(CListAccessible, RowsAreChildrenInTheirPlacesWalkedHitAndSelected)
{
    ASSERT_HRESULT_SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    ListFixture fixture(8);
    IAccessible* object = ClientObject(fixture.list);
    ASSERT_NE(object, nullptr);
    long count = 0;
    EXPECT_HRESULT_SUCCEEDED(object->get_accChildCount(&count));
    EXPECT_EQ(count, 8);

    VARIANT found;
    EXPECT_EQ(object->accNavigate(NAVDIR_FIRSTCHILD, AccessibleChild(CHILDID_SELF), &found), S_OK);
    EXPECT_EQ(found.lVal, 1);
    EXPECT_EQ(object->accNavigate(NAVDIR_NEXT, AccessibleChild(8), &found), S_FALSE) << "past the last row";
    EXPECT_EQ(object->accNavigate(NAVDIR_PREVIOUS, AccessibleChild(5), &found), S_OK);
    EXPECT_EQ(found.lVal, 4);

    RECT row6 = fixture.RowBounds(6);
    ::MapWindowPoints(fixture.list, nullptr, reinterpret_cast<POINT*>(&row6), 2);
    long left = 0, top = 0, width = 0, height = 0;
    EXPECT_HRESULT_SUCCEEDED(object->accLocation(&left, &top, &width, &height, AccessibleChild(7)));
    EXPECT_EQ(left, row6.left);
    EXPECT_EQ(top, row6.top);
    EXPECT_EQ(width, row6.right - row6.left);
    EXPECT_EQ(height, row6.bottom - row6.top);
    EXPECT_EQ(object->accHitTest(row6.left + 30, row6.top + 1, &found), S_OK);
    EXPECT_EQ(found.lVal, 7);

    fixture.Select({2, 3});
    EXPECT_HRESULT_SUCCEEDED(object->accSelect(SELFLAG_TAKESELECTION | SELFLAG_TAKEFOCUS, AccessibleChild(6)));
    EXPECT_EQ(fixture.Selected(), std::vector<int>{5});
    VARIANT state;
    EXPECT_HRESULT_SUCCEEDED(object->get_accState(AccessibleChild(6), &state));
    EXPECT_EQ(state.lVal & (STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED | STATE_SYSTEM_CHECKED),
              STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED | STATE_SYSTEM_CHECKED);
    EXPECT_EQ(object->get_accState(AccessibleChild(9), &state), E_INVALIDARG);

    ::DestroyWindow(fixture.list);
    fixture.list.m_hWnd = nullptr;
    EXPECT_EQ(object->get_accChildCount(&count), CO_E_OBJNOTCONNECTED) << "a client may hold it past the list";
    object->Release();
    ::CoUninitialize();
}

TEST(CListAccessible, DefaultActionIsTheDoubleClickOfARowTheHostKnows)
{
    ASSERT_HRESULT_SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    ListFixture fixture(6);
    fixture.Plugin(5)->flags = VIS_DISABLED_ON_DISK;
    IAccessible* object = ClientObject(fixture.list);
    ASSERT_NE(object, nullptr);
    HHOOK hook = ::SetWindowsHookExA(WH_CALLWNDPROC, NoteDoubleClick, nullptr, ::GetCurrentThreadId());

    g_doubleClickedRow = -1;
    EXPECT_EQ(object->accDoDefaultAction(AccessibleChild(5)), S_OK);
    EXPECT_EQ(g_doubleClickedRow, -1) << "after the call returns, not during it";
    PumpMessages();
    EXPECT_EQ(g_doubleClickedRow, 4);
    g_doubleClickedRow = -1;
    EXPECT_EQ(object->accDoDefaultAction(AccessibleChild(6)), DISP_E_MEMBERNOTFOUND) << "switched off on disk";
    EXPECT_EQ(object->accDoDefaultAction(AccessibleChild(CHILDID_SELF)), DISP_E_MEMBERNOTFOUND);
    PumpMessages();
    EXPECT_EQ(g_doubleClickedRow, -1);

    ::UnhookWindowsHookEx(hook);
    object->Release();
    ::CoUninitialize();
}
