#pragma once
#include <string>
#include <vector>
#include "catalogue/VisPlugin.h"
#include "framework/CodePageText.h"

// The record Save keeps of what it renames, written before the first rename
// so that a Save cut short can be finished or put back, and a whole one
// undone. Plain text a person can read:
//
//   Orbiquel Save journal 2
//   Vis folder: C:\Melodrift\Vis\ (always with its last backslash)
//   VisNumber: 5 -> 7          ("none" where it held no number)
//   Current: 6<TAB>012_Bars.svp  (the current visual's row and file; "none")
//   State: open
//   Renames: 2
//   012_Bars.svp<TAB>004_Bars.svp<TAB>stamp<TAB>0<TAB>tag
//   004_Bars.svp<TAB>004_Bars.svp_disabled<TAB>stamp<TAB>0<TAB>state
//   End of journal
//
// Names are relative to the Vis folder. A stamp (size and write time) says
// which file was renamed, so that a file put in its place later is not taken
// for it; folders have none. Each rename names its plug-in (its place in the
// Save) and whether it gives the tag or the enable state. Journals of the
// first form ("Orbiquel Save journal 1") have neither the current visual nor
// the plug-in columns: a rename that switches the state of the name the one
// before it made counts as that plug-in's state step.
struct JournalRename {
    std::string from;
    std::string to;
    std::string stamp;
    int plugin = 0;
    bool stateStep = false;
    bool operator==(const JournalRename& other) const
    {
        return from == other.from && to == other.to && stamp == other.stamp && plugin == other.plugin &&
               stateStep == other.stateStep;
    }
};

enum class JournalState {
    Open,     // the renames have begun and not ended: a Save was cut short
    Finished, // the Save ran to its end (or was stopped by the user)
    Undone    // the Save was given back
};

constexpr int kUnknownRow = -1;

struct SaveJournal {
    std::string visFolder;
    int visNumberBefore = kNoVisual;
    int visNumberAfter = kNoVisual;
    // The list row of the current visual (kNoVisual for none) and, for a
    // plug-in, its file before the Save; kUnknownRow in a first-form journal.
    int currentRow = kUnknownRow;
    std::string currentFile;
    JournalState state = JournalState::Open;
    std::vector<JournalRename> renames;
};

std::string FormatJournal(const SaveJournal& journal);

// Why a journal was refused.
enum class JournalFault {
    None,
    Malformed,     // not a journal, or cut short
    UnsafeName,    // a name that is empty, absolute, leaves the Vis folder or names a device
    OtherFolder,   // a journal of another Vis folder
    Held           // another program holds it open
};

// Reads text as a journal of visFolder (compared without regard to case).
// Anything else is refused whole: journal is then left empty.
JournalFault ParseJournal(const std::string& text, const std::string& visFolder, SaveJournal& journal,
                          LeadByteRule isLead = SystemLeadByte);

// True when text, a journal whole or not, holds the line of an open state:
// its Save may have been cut short.
bool SaysOpen(const std::string& text);

// A name a journal may hold: relative to the Vis folder, a file or a
// sub-folder's file, with no way out of the folder and no device name.
bool IsSafeJournalName(const std::string& name, LeadByteRule isLead = SystemLeadByte);
