#pragma once
#include <string>
#include "framework/CodePageText.h"

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

RenamePlan PlanRename(int row, const std::string& file, bool wantEnabled, LeadByteRule isLead = SystemLeadByte);
