#pragma once
#include <windows.h>
#include <string>

// What the probe asks of its agent inside the program: questions that Wine
// answers only in the window's own process (its system menu, its dialog
// units, which icon handle it shows, a list's rows and their records: under
// an emulated 32-bit Wine another process's memory cannot be read). The agent is a message hook that the
// system loads into the window's thread; the request travels in a named
// shared block, and the agent signals a named event when it has answered.
enum AgentCommand : int {
    AGENT_SYSTEM_MENU = 1, // items of window's system menu
    AGENT_DIALOG_RECT = 2, // MapDialogRect(window, rect)
    AGENT_ICON_KIND = 3,   // which standard icon the static window shows
    AGENT_LIST_ROWS = 4,   // the list view's rows and the records behind them
    AGENT_SET_FLAGS = 5,   // row rect.left's record gets flags rect.top; the row is redrawn
    AGENT_DROP_FILES = 6,  // window gets WM_DROPFILES for the paths in text at client point rect.left, rect.top
    AGENT_POPUP_MENU = 7,  // items of the menu the popup menu window shows
    AGENT_ACC_ROWS = 8,    // the children of the window's accessible object
    AGENT_ACC_DEFAULT = 9, // the default action of its child rect.left
};

struct AgentRequest {
    int command;
    HWND window;
    RECT rect;
    BOOL pending; // set by the probe, cleared by the agent once answered
    BOOL ok;
    char text[4096]; // a request's text: the paths of a drop, separated by "|"
    char answer[262144];
};

// The agent library's hook procedure (WH_GETMESSAGE).
#define PROBE_AGENT_HOOK "AgentHook"
// The message that wakes the agent, registered by both sides.
#define PROBE_AGENT_MESSAGE "OrbiquelProbeAgentRequest"

// Names of the shared block and the answered event, per thread.
inline std::string AgentBlockName(DWORD threadId)
{
    return "OrbiquelProbeAgentBlock-" + std::to_string(threadId);
}
inline std::string AgentDoneName(DWORD threadId)
{
    return "OrbiquelProbeAgentDone-" + std::to_string(threadId);
}
