#pragma once
#include <functional>
#include <string>
#include <vector>
#include "host/RenameRecovery.h"
#include "host/SaveJournal.h"

// The one way a batch of renames in the Vis folder is made: Save and
// finishing a Save cut short run a journal's steps forward, putting one back
// and "Undo last Save" run them back, last first. One policy for all:
// - the move never replaces a file, never leaves the volume, never names a device;
// - a step whose file is not where the journal says (lost) is skipped and
//   named, never tried: another file may have taken its name;
// - a plug-in's steps stop at its first step not made: forward its state
//   waits for its tag, back its tag waits for its state.

// Moves a name relative to the Vis folder to another; false when it did not.
using MoveName = std::function<bool(const std::string& from, const std::string& to)>;

enum class BatchWay { Forward, Back };

// Told of each step not made while the batch runs, with the name that says
// which; true to go on. Empty: the batch goes on and only collects the names.
using StepNotMade = std::function<bool(const JournalRename& step, const std::string& name)>;

struct BatchResult {
    std::vector<RenameFound> found;    // every step as it stands afterwards
    std::vector<std::string> notMade;  // the names of the steps lost or failed, in the order met
    bool stopped = false;              // told to stop before the end
};

// found holds where each step stood before (FindRenamesMade; NotMade for a
// Save, Lost for a name it must not touch).
BatchResult RunRenameBatch(const std::vector<JournalRename>& steps, std::vector<RenameFound> found, BatchWay way,
                           const MoveName& move, const StepNotMade& stepNotMade = {});

// The name of the plug-in whose file was file before the steps, once they
// stand as found says.
std::string PluginNameNow(const std::string& file, int plugin, const std::vector<JournalRename>& steps,
                          const std::vector<RenameFound>& found);
