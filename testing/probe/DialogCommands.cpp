// Dialog boxes and message boxes (class "#32770") of the probe's desktop.
#include <memory>
#include <vector>
#include "testing/probe/ProbeCommands.h"
#include "testing/probe/ProbeWin32.h"
#include "testing/probe/RemoteAgent.h"

namespace {

constexpr char kDialogClass[] = "#32770";

BOOL CALLBACK CollectChild(HWND window, LPARAM context)
{
    reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
    return TRUE;
}

bool IsIconStatic(HWND window)
{
    return ClassNameOf(window) == "Static" && (::GetWindowLongA(window, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
}

bool AddIconKind(HWND iconStatic, ProbeReply& reply)
{
    if (!iconStatic) {
        reply.Add("icon").Set("kind", "none");
        return true;
    }
    auto agent = std::make_unique<AgentRequest>();
    agent->command = AGENT_ICON_KIND;
    agent->window = iconStatic;
    std::string error;
    if (!RunInOwnerThread(*agent, error))
        return reply.Fail(error);
    AddAgentAnswer(*agent, reply);
    return true;
}

}

// Waits for a visible dialog box (title= exact, or any) and describes it:
// the window, its controls, and the kind of its icon (stop, exclamation,
// question, information, other or none).
bool WaitDialogCommand(const ProbeRecord& request, ProbeReply& reply)
{
    ProbeRecord query("wait-window");
    query.Set("class", kDialogClass).Set("title", request.Get("title")).SetNumber("timeout", TimeoutField(request));
    if (!WaitWindowCommand(query, reply))
        return false;
    HWND dialog = WindowField(reply.records.back());
    std::vector<HWND> children;
    ::EnumChildWindows(dialog, CollectChild, reinterpret_cast<LPARAM>(&children));
    HWND iconStatic = nullptr;
    for (HWND child : children) {
        DescribeWindow(child, reply.Add("child"));
        if (!iconStatic && IsIconStatic(child))
            iconStatic = child;
    }
    return AddIconKind(iconStatic, reply);
}
