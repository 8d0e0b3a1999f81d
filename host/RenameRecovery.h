#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>
#include "framework/CodePageText.h"
#include "host/SaveJournal.h"

// Telling from the disk, never from a count, which renames of a journal were
// made: a Save may have been cut short anywhere, renames may have failed on
// the way, and the user may have changed the folder since.

// What is on disk under a name relative to the Vis folder: nothing, or the
// stamp of the file there (empty for a folder).
using LookUpName = std::function<std::optional<std::string>(const std::string& name)>;

enum class RenameFound {
    Made,     // the file is at its new name
    NotMade,  // the file is at its old name
    Lost      // at neither: removed, renamed or replaced since
};

// Walks the renames from the last back to the first, putting each one made
// back in thought before it looks at the ones before it, so that a file that
// took over a name another file left is told apart from that file.
std::vector<RenameFound> FindRenamesMade(const std::vector<JournalRename>& renames, const LookUpName& lookUp,
                                         LeadByteRule isLead = SystemLeadByte);

// True when rename is the state step of the plug-in whose step is before.
bool ContinuesPlugin(const JournalRename& rename, const JournalRename& before);

struct PluginCount {
    int renamed = 0;  // plug-ins whose every rename was made
    int total = 0;
};
PluginCount CountPluginsRenamed(const std::vector<JournalRename>& renames, const std::vector<RenameFound>& found);
