// Questions answered by the agent inside the program's process.
#include <cstring>
#include <memory>
#include "testing/probe/ProbeCommands.h"
#include "testing/probe/ProbeWin32.h"
#include "testing/probe/RemoteAgent.h"
#include "testing/probe/agent/AgentAccessibility.h"

namespace {

std::unique_ptr<AgentRequest> NewRequest(AgentCommand command, HWND window)
{
    auto request = std::make_unique<AgentRequest>();
    request->command = command;
    request->window = window;
    return request;
}

// Runs the request in the window's thread; refusal is the failure when the agent said no.
bool RunAgent(AgentRequest& agent, ProbeReply& reply, const char* refusal)
{
    std::string error;
    if (!RunInOwnerThread(agent, error))
        return reply.Fail(error);
    if (!agent.ok)
        return reply.Fail(refusal);
    return true;
}

// A request whose answer is one record per row.
bool AskForRows(AgentCommand command, const ProbeRecord& request, ProbeReply& reply)
{
    auto agent = NewRequest(command, WindowField(request));
    if (!RunAgent(*agent, reply, "too many rows for one answer"))
        return false;
    AddAgentAnswer(*agent, reply);
    return true;
}

// A menu's items, one item record per entry, top to bottom.
bool MenuCommand(AgentCommand command, const ProbeRecord& request, ProbeReply& reply)
{
    auto agent = NewRequest(command, WindowField(request));
    std::string error;
    if (!RunInOwnerThread(*agent, error))
        return reply.Fail(error);
    AddAgentAnswer(*agent, reply);
    return true;
}

}

// The window's system menu.
bool SystemMenuCommand(const ProbeRecord& request, ProbeReply& reply)
{
    return MenuCommand(AGENT_SYSTEM_MENU, request, reply);
}

// The popup menu window's items while its menu is tracked.
bool PopupMenuCommand(const ProbeRecord& request, ProbeReply& reply)
{
    return MenuCommand(AGENT_POPUP_MENU, request, reply);
}

// Dialog units to pixels with the dialog's own font, as the dialog manager converts them.
bool DialogRectCommand(const ProbeRecord& request, ProbeReply& reply)
{
    auto agent = NewRequest(AGENT_DIALOG_RECT, WindowField(request));
    agent->rect = {static_cast<LONG>(request.GetNumber("left")), static_cast<LONG>(request.GetNumber("top")),
                   static_cast<LONG>(request.GetNumber("right")), static_cast<LONG>(request.GetNumber("bottom"))};
    if (!RunAgent(*agent, reply, "MapDialogRect failed: not a dialog"))
        return false;
    reply.Add("rect")
        .SetNumber("left", agent->rect.left)
        .SetNumber("top", agent->rect.top)
        .SetNumber("right", agent->rect.right)
        .SetNumber("bottom", agent->rect.bottom);
    return true;
}

// The list's rows and their records, one row record per item, top to bottom.
bool RowsCommand(const ProbeRecord& request, ProbeReply& reply)
{
    return AskForRows(AGENT_LIST_ROWS, request, reply);
}

// Gives the record behind a row new flags (the current mark, for a picture).
bool SetFlagsCommand(const ProbeRecord& request, ProbeReply& reply)
{
    auto agent = NewRequest(AGENT_SET_FLAGS, WindowField(request));
    agent->rect.left = static_cast<LONG>(request.GetNumber("row"));
    agent->rect.top = static_cast<LONG>(request.GetNumber("flags"));
    return RunAgent(*agent, reply, "no record behind that row");
}

// Drops files on the window at a point of its client area, as a drag from Explorer ends.
bool DropFilesCommand(const ProbeRecord& request, ProbeReply& reply)
{
    auto agent = NewRequest(AGENT_DROP_FILES, WindowField(request));
    agent->rect.left = static_cast<LONG>(request.GetNumber("x"));
    agent->rect.top = static_cast<LONG>(request.GetNumber("y"));
    std::string paths = request.Get("paths");
    if (paths.size() >= sizeof agent->text)
        return reply.Fail("too many paths for one drop");
    std::strcpy(agent->text, paths.c_str());
    return RunAgent(*agent, reply, "the drop could not be posted");
}

// The children of the window's accessible object, one accrow record each, as
// a screen reader reads them: from inside the program, or with outside=1 from
// the probe's own process, as a screen reader of its own would.
bool AccessibleRowsCommand(const ProbeRecord& request, ProbeReply& reply)
{
    if (!request.GetNumber("outside"))
        return AskForRows(AGENT_ACC_ROWS, request, reply);
    AddAnswerLines(AccessibleRows(WindowField(request)), reply);
    return true;
}

// The default action of one child of the window's accessible object.
bool DefaultActionCommand(const ProbeRecord& request, ProbeReply& reply)
{
    auto agent = NewRequest(AGENT_ACC_DEFAULT, WindowField(request));
    agent->rect.left = static_cast<LONG>(request.GetNumber("child"));
    return RunAgent(*agent, reply, "accDoDefaultAction failed");
}
