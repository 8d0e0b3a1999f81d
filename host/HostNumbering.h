#pragma once
#include <string>
#include <vector>
#include "catalogue/VisFolder.h"

// The host numbers only the visuals it loaded: the four built-ins, then the
// plug-ins that were enabled, in folder order. "VisNumber" holds such a
// number, while the list's rows also count the plug-ins it skipped.

// The host's number of the visual at loadIndex, as enabledAtLoad describes
// what the host loaded; kNoVisual when the host did not load it.
int HostNumberOfLoadIndex(int loadIndex, const std::vector<unsigned char>& enabledAtLoad);

// The load index of the host's visual number; kNoVisual when it loaded no such visual.
int LoadIndexOfHostNumber(int number, const std::vector<unsigned char>& enabledAtLoad);

// The number the host will give the plug-in named file at its next start,
// when it loads entries; kNoVisual when it will not load it.
int HostNumberOfFile(const std::string& file, const std::vector<VisFolderEntry>& entries);
