#pragma once
#include <map>
#include <string>
#include <vector>
#include "framework/CodePageText.h"
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

// Every rename a Save of rows makes, in order: the ones that change nothing
// and names the code page cannot hold left out. stamps holds those of the
// files directly in the Vis folder.
std::vector<JournalRename> PlanSaveRenames(const std::vector<SaveRow>& rows,
                                           const std::map<std::string, std::string>& stamps,
                                           LeadByteRule isLead = SystemLeadByte);

// The host number the visual in currentRow gets when the host next starts,
// once every rename of the Save is made; kNoVisual when it will not load it.
int PlannedHostNumber(const std::vector<SaveRow>& rows, int currentRow, LeadByteRule isLead = SystemLeadByte);
