#pragma once
#include <windows.h>
#include <functional>
#include <string>
#include <vector>
#include "host/RenameBatch.h"
#include "host/RenamePlan.h"

// Shows a message box with the program's caption; the button chosen.
using MessageAsk = std::function<int(const std::string& text, UINT type)>;

// The rename engine on the Vis folder, and what the user is told of the
// steps it could not make.
class CRenameBatch {
public:
    CRenameBatch(std::string visFolder, MessageAsk ask) : m_strVisFolder(std::move(visFolder)), m_ask(std::move(ask)) {}

    // Save: each step not made asks with message 105 (its tag) or 106 (its
    // state); OK goes on, Cancel stops.
    BatchResult RunSave(const SavePlan& plan) const;
    // Finishing, putting back, Undo: every step it can, then one message
    // naming the plug-ins left as they were.
    BatchResult Run(const std::vector<JournalRename>& steps, std::vector<RenameFound> found, BatchWay way) const;

private:
    MoveName MoveInVisFolder() const;

    std::string m_strVisFolder;
    MessageAsk m_ask;
};
