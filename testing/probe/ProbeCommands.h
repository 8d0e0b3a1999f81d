#pragma once
#include "testing/probe/ProbeReply.h"

// Runs one request by its kind; an unknown kind fails.
bool RunProbeRequest(const ProbeRecord& request, ProbeReply& reply);

// The sub-commands, one group per concern (see ProbeCommands.cpp for the names).
bool WaitWindowCommand(const ProbeRecord& request, ProbeReply& reply);
bool WaitGoneCommand(const ProbeRecord& request, ProbeReply& reply);
bool WindowCommand(const ProbeRecord& request, ProbeReply& reply);
bool ChildrenCommand(const ProbeRecord& request, ProbeReply& reply);
bool SetTextCommand(const ProbeRecord& request, ProbeReply& reply);
bool FocusCommand(const ProbeRecord& request, ProbeReply& reply);
bool SystemMenuCommand(const ProbeRecord& request, ProbeReply& reply);
bool PopupMenuCommand(const ProbeRecord& request, ProbeReply& reply);
bool DialogRectCommand(const ProbeRecord& request, ProbeReply& reply);
bool WaitDialogCommand(const ProbeRecord& request, ProbeReply& reply);
bool RowsCommand(const ProbeRecord& request, ProbeReply& reply);
bool SetFlagsCommand(const ProbeRecord& request, ProbeReply& reply);
bool DropFilesCommand(const ProbeRecord& request, ProbeReply& reply);
bool AccessibleRowsCommand(const ProbeRecord& request, ProbeReply& reply);
bool DefaultActionCommand(const ProbeRecord& request, ProbeReply& reply);
bool ProcessCommand(const ProbeRecord& request, ProbeReply& reply);
bool WaitExitCommand(const ProbeRecord& request, ProbeReply& reply);
bool KillCommand(const ProbeRecord& request, ProbeReply& reply);
bool StartCommand(const ProbeRecord& request, ProbeReply& reply);
bool RegGetCommand(const ProbeRecord& request, ProbeReply& reply);
bool RegSetCommand(const ProbeRecord& request, ProbeReply& reply);
bool RegDeleteCommand(const ProbeRecord& request, ProbeReply& reply);
bool HostInstallCommand(const ProbeRecord& request, ProbeReply& reply);
bool DpiCommand(const ProbeRecord& request, ProbeReply& reply);
