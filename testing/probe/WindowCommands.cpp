// Top-level windows of the probe's desktop and their child controls.
#include <vector>
#include "testing/probe/ProbeCommands.h"
#include "testing/probe/ProbeWin32.h"

namespace {

struct WindowQuery {
    std::string title;
    std::string className;
    bool anyVisibility = false;
    HWND found = nullptr;
};

bool Matches(HWND window, const WindowQuery& query)
{
    if (!query.anyVisibility && !::IsWindowVisible(window))
        return false;
    if (!query.className.empty() && ClassNameOf(window) != query.className)
        return false;
    return query.title.empty() || WindowTextOf(window) == query.title;
}

BOOL CALLBACK FindMatch(HWND window, LPARAM context)
{
    auto* query = reinterpret_cast<WindowQuery*>(context);
    if (!Matches(window, *query))
        return TRUE;
    query->found = window;
    return FALSE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM context)
{
    reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
    return TRUE;
}

}

// The first top-level window that matches: title= and class= (both exact,
// either may be left out), visible unless any-visibility=1.
bool WaitWindowCommand(const ProbeRecord& request, ProbeReply& reply)
{
    WindowQuery query;
    query.title = request.Get("title");
    query.className = request.Get("class");
    query.anyVisibility = request.GetNumber("any-visibility") != 0;
    Deadline deadline(TimeoutField(request));
    for (;;) {
        ::EnumWindows(FindMatch, reinterpret_cast<LPARAM>(&query));
        if (query.found) {
            DescribeWindow(query.found, reply.Add("window"));
            return true;
        }
        if (deadline.Passed())
            return reply.Fail("no window with title '" + query.title + "' and class '" + query.className + "'");
        ::Sleep(kPollMilliseconds);
    }
}

bool WindowCommand(const ProbeRecord& request, ProbeReply& reply)
{
    HWND window = WindowField(request);
    if (!::IsWindow(window))
        return reply.Fail("no such window");
    DescribeWindow(window, reply.Add("window"));
    return true;
}

// Waits until the window is destroyed or hidden: gone=1, or gone=0 at the timeout.
bool WaitGoneCommand(const ProbeRecord& request, ProbeReply& reply)
{
    HWND window = WindowField(request);
    Deadline deadline(TimeoutField(request));
    while (::IsWindow(window) && ::IsWindowVisible(window) && !deadline.Passed())
        ::Sleep(kPollMilliseconds);
    bool gone = !::IsWindow(window) || !::IsWindowVisible(window);
    reply.Add("window").SetNumber("hwnd", reinterpret_cast<INT_PTR>(window)).SetNumber("gone", gone ? 1 : 0);
    return true;
}

// Every descendant of the window, in the order the system enumerates them.
bool ChildrenCommand(const ProbeRecord& request, ProbeReply& reply)
{
    HWND window = WindowField(request);
    if (!::IsWindow(window))
        return reply.Fail("no such window");
    std::vector<HWND> children;
    ::EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&children));
    for (HWND child : children)
        DescribeWindow(child, reply.Add("child"));
    return true;
}

// Puts text into a control whole, as an input method hands over a composed
// word: keys for characters off the keyboard's map are not reliable under X.
bool SetTextCommand(const ProbeRecord& request, ProbeReply& reply)
{
    DWORD_PTR result = 0;
    const std::string text = request.Get("text");
    if (!::SendMessageTimeoutA(WindowField(request), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                               SMTO_ABORTIFHUNG, 10000, &result) ||
        !result)
        return reply.Fail("the window did not take the text");
    return true;
}

// The control that holds the keyboard focus in the window's thread.
bool FocusCommand(const ProbeRecord& request, ProbeReply& reply)
{
    HWND window = WindowField(request);
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info))
        return reply.Fail("no thread information for that window");
    ProbeRecord& focus = reply.Add("focus");
    focus.SetNumber("active", reinterpret_cast<INT_PTR>(info.hwndActive))
        .SetNumber("foreground", reinterpret_cast<INT_PTR>(::GetForegroundWindow()));
    if (info.hwndFocus)
        DescribeWindow(info.hwndFocus, focus);
    else
        focus.SetNumber("hwnd", 0);
    return true;
}
