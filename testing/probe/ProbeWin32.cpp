#include "testing/probe/ProbeWin32.h"
#include <cstdlib>

std::string RectText(const RECT& rect)
{
    return std::to_string(rect.left) + "," + std::to_string(rect.top) + "," + std::to_string(rect.right) + "," +
           std::to_string(rect.bottom);
}

std::string WindowTextOf(HWND window)
{
    // WM_GETTEXT is marshalled across processes, unlike a raw buffer pointer.
    char text[1024] = "";
    ::SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                          nullptr);
    text[sizeof text - 1] = '\0';
    return text;
}

std::string ClassNameOf(HWND window)
{
    char name[256] = "";
    ::GetClassNameA(window, name, sizeof name);
    return name;
}

HWND WindowField(const ProbeRecord& request, const std::string& key)
{
    return reinterpret_cast<HWND>(static_cast<INT_PTR>(request.GetNumber(key)));
}

void DescribeWindow(HWND window, ProbeRecord& record)
{
    DWORD pid = 0;
    DWORD tid = ::GetWindowThreadProcessId(window, &pid);
    RECT outer{}, client{};
    ::GetWindowRect(window, &outer);
    ::GetClientRect(window, &client);
    ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    record.SetNumber("hwnd", reinterpret_cast<INT_PTR>(window))
        .SetNumber("pid", pid)
        .SetNumber("tid", tid)
        .Set("class", ClassNameOf(window))
        .Set("text", WindowTextOf(window))
        .SetNumber("style", static_cast<DWORD>(::GetWindowLongA(window, GWL_STYLE)))
        .SetNumber("exstyle", static_cast<DWORD>(::GetWindowLongA(window, GWL_EXSTYLE)))
        .SetNumber("id", static_cast<int>(::GetWindowLongA(window, GWL_ID)))
        .SetNumber("visible", ::IsWindowVisible(window) ? 1 : 0)
        .SetNumber("parent", reinterpret_cast<INT_PTR>(::GetAncestor(window, GA_PARENT)))
        .SetNumber("owner", reinterpret_cast<INT_PTR>(::GetWindow(window, GW_OWNER)))
        .Set("window", RectText(outer))
        .Set("client", RectText(client));
}

DWORD TimeoutField(const ProbeRecord& request, DWORD fallback)
{
    return static_cast<DWORD>(request.GetNumber("timeout", fallback));
}
