#pragma once
#include <string>
#include <vector>
#include "catalogue/VisPlugin.h"
#include "framework/CodePageText.h"

// The record Save keeps of what it renames, written before the first rename
// so that a Save cut short can be finished or put back, and a whole one
// undone. Plain text a person can read:
//
//   Orbiquel Save journal 1
//   Vis folder: C:\Melodrift\Vis\ (always with its last backslash)
//   VisNumber: 5 -> 7          ("none" where it held no number)
//   State: open
//   Renames: 2
//   012_Bars.svp<TAB>004_Bars.svp<TAB>stamp
//   004_Ice.svp<TAB>005_Ice.svp<TAB>
//   End of journal
//
// Names are relative to the Vis folder. A stamp (size and write time) says
// which file was renamed, so that a file put in its place later is not taken
// for it; folders have none.
struct JournalRename {
    std::string from;
    std::string to;
    std::string stamp;
    bool operator==(const JournalRename& other) const
    {
        return from == other.from && to == other.to && stamp == other.stamp;
    }
};

enum class JournalState {
    Open,     // the renames have begun and not ended: a Save was cut short
    Finished, // the Save ran to its end (or was stopped by the user)
    Undone    // the Save was given back
};

struct SaveJournal {
    std::string visFolder;
    int visNumberBefore = kNoVisual;
    int visNumberAfter = kNoVisual;
    JournalState state = JournalState::Open;
    std::vector<JournalRename> renames;
};

std::string FormatJournal(const SaveJournal& journal);

// Why a journal was refused.
enum class JournalFault {
    None,
    Malformed,     // not a journal, or cut short
    UnsafeName,    // a name that is empty, absolute, or leaves the Vis folder
    OtherFolder    // a journal of another Vis folder
};

// Reads text as a journal of visFolder (compared without regard to case).
// Anything else is refused whole: journal is then left empty.
JournalFault ParseJournal(const std::string& text, const std::string& visFolder, SaveJournal& journal,
                          LeadByteRule isLead = SystemLeadByte);

// A name a journal may hold: relative to the Vis folder, a file or a
// sub-folder's file, with no way out of the folder.
bool IsSafeJournalName(const std::string& name, LeadByteRule isLead = SystemLeadByte);
