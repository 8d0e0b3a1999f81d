#pragma once
#include <string>
#include "framework/CodePageText.h"

// Where the host's files are, derived from its install folder.
struct HostPaths {
    std::string folder;     // always ends in a backslash
    std::string executable; // folder + "Melodrift.exe"
    std::string visFolder;  // folder + "Vis\"
};

HostPaths MakeHostPaths(const std::string& installFolder, LeadByteRule isLead = SystemLeadByte);
