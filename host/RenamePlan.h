#pragma once
#include <string>

// The renames Save makes for one plug-in row, as names relative to the Vis
// folder. A plug-in in a sub-folder carries its tag on the folder; the file
// inside carries the enable state.
struct RenamePlan {
    std::string newName;      // the file with the row's tag, old tag removed
    std::string tagSource;    // the file, or its sub-folder
    std::string tagTarget;    // the same with the row's tag
    bool changesState = false;
    std::string stateTarget;  // newName with "_disabled" added or removed
};

// "%03d_" of the row in front of the name, in place of an old tag.
std::string TaggedName(int row, const std::string& file);

// A name counts as disabled on disk exactly when it ends in "_disabled".
bool HasDisabledSuffix(const std::string& name);

RenamePlan PlanRename(int row, const std::string& file, bool wantEnabled);
