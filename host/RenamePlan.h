#pragma once
#include <map>
#include <string>
#include <vector>
#include "framework/CodePageText.h"
#include "host/RenameRecovery.h"
#include "host/SaveJournal.h"

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

// A plug-in row as Save finds it; rows start at kFirstPluginRow.
struct SaveRow {
    std::string file;  // VisPlugin::file
    bool wantEnabled = true;
};

// Every step of a Save of rows, in row order, each with its plug-in (its
// place in rows): a tag step for every row, also one that changes no name
// (it fails when the file is gone), then a state step where the state
// changes. A name the code page cannot hold gets one tag step, found lost:
// no rename can be trusted with it. stamps holds those of the files directly
// in the Vis folder.
struct SavePlan {
    std::vector<JournalRename> steps;
    std::vector<RenameFound> found;
    // The steps a journal keeps: the ones that change a name.
    std::vector<JournalRename> Journalled() const;
};
SavePlan PlanSaveRenames(const std::vector<SaveRow>& rows, const std::map<std::string, std::string>& stamps,
                         LeadByteRule isLead = SystemLeadByte);

// The host number the visual in currentRow gets when the host next starts,
// once every rename of the Save is made; kNoVisual when it will not load it.
int PlannedHostNumber(const std::vector<SaveRow>& rows, int currentRow, LeadByteRule isLead = SystemLeadByte);
