#include "testing/probe/ProbeCommands.h"
#include <cstring>

namespace {

struct NamedCommand {
    const char* name;
    ProbeHandler handler;
};

const NamedCommand kCommands[] = {
    {"wait-window", WaitWindowCommand},   // title= class= timeout= → window
    {"window", WindowCommand},            // hwnd= → window
    {"wait-gone", WaitGoneCommand},       // hwnd= timeout= → window gone=
    {"children", ChildrenCommand},        // hwnd= → child...
    {"focus", FocusCommand},              // hwnd= → focus (the control with the keyboard focus)
    {"set-text", SetTextCommand},         // hwnd= text= (in the program's code page)
    {"sysmenu", SystemMenuCommand},       // hwnd= → item...
    {"popup-menu", PopupMenuCommand},     // hwnd= (a "#32768" window) → item...
    {"dialog-rect", DialogRectCommand},   // hwnd= left= top= right= bottom= → rect in pixels
    {"wait-dialog", WaitDialogCommand},   // title= timeout= → window, child..., icon
    {"rows", RowsCommand},                // hwnd= → row...
    {"set-flags", SetFlagsCommand},       // hwnd= row= flags= (the row's record)
    {"drop-files", DropFilesCommand},     // hwnd= x= y= paths= (Windows paths, "|" between them)
    {"acc-rows", AccessibleRowsCommand},  // hwnd= [outside=1] → accrow... (or accerror)
    {"acc-default", DefaultActionCommand}, // hwnd= child=
    {"process", ProcessCommand},          // path= → process
    {"wait-exit", WaitExitCommand},       // path= timeout= → process
    {"kill", KillCommand},                // under= → killed
    {"start", StartCommand},              // command= → process (pid=)
    {"reg-get", RegGetCommand},           // key= name= → value
    {"reg-set", RegSetCommand},           // key= name= sz=|dword=
    {"reg-delete", RegDeleteCommand},     // key= [name=]
    {"host-install", HostInstallCommand}, // folder= [path=] → host
    {"dpi", DpiCommand},                  // → dpi
};

}

bool RunProbeRequest(const ProbeRecord& request, ProbeReply& reply)
{
    for (const auto& command : kCommands)
        if (request.Kind() == command.name)
            return command.handler(request, reply);
    return reply.Fail("unknown command '" + request.Kind() + "'");
}
