#pragma once
#include <string>
#include <vector>
#include "framework/CodePageText.h"

// Sets are kept beside the settings file, one file each in this folder.
constexpr char kSetFolderName[] = "Orbiquel sets";
constexpr char kSetFileExtension[] = ".txt";
// Bytes of a set's name as typed, and of the file title made of it.
constexpr int kLongestSetName = 120;
constexpr size_t kLongestSetTitle = 80;

// The folder of sets beside the settings file at profilePath, with its
// trailing backslash.
std::string SetFolderFor(const std::string& profilePath, LeadByteRule isLead = SystemLeadByte);

// The file title a set named name is kept under. Any name is accepted:
// characters Windows cannot use in a file name become "_", trailing dots
// and blanks go, a device name gets a "_" in front, a long name is cut at
// a character; the set itself keeps the name as typed. A title in
// takenTitles (other sets', in any case) gets " (2)", " (3)"... behind it.
std::string SetFileTitle(const std::string& name, const std::vector<std::string>& takenTitles,
                         LeadByteRule isLead = SystemLeadByte);
