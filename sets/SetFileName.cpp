#include "sets/SetFileName.h"
#include <algorithm>
#include "catalogue/SafeName.h"

namespace {
constexpr char kNotInFileNames[] = "\\/:*?\"<>|";
constexpr char kUnnamedTitle[] = "set";

bool IsTaken(const std::string& title, const std::vector<std::string>& takenTitles, LeadByteRule isLead)
{
    std::string lower = LowerCase(title, isLead);
    return std::any_of(takenTitles.begin(), takenTitles.end(),
                       [&](const std::string& taken) { return LowerCase(taken, isLead) == lower; });
}

// name's characters that fit in a file title, each unusable one as "_", at
// most kLongestSetTitle bytes, never half a character.
std::string UsableCharacters(const std::string& name, LeadByteRule isLead)
{
    std::string title;
    for (size_t at = 0; at < name.size();) {
        size_t next = NextChar(name, at, isLead);
        if (title.size() + (next - at) > kLongestSetTitle)
            break;
        auto byte = static_cast<unsigned char>(name[at]);
        bool single = next == at + 1;
        if (single && (byte < 0x20 || std::string(kNotInFileNames).find(name[at]) != std::string::npos))
            title += '_';
        else
            title.append(name, at, next - at);
        at = next;
    }
    return title;
}
}

std::string SetFolderFor(const std::string& profilePath, LeadByteRule isLead)
{
    size_t separator = FindLastChar(profilePath, "\\/", isLead);
    std::string folder = separator == std::string::npos ? "" : profilePath.substr(0, separator + 1);
    return folder + kSetFolderName + "\\";
}

std::string SetFileTitle(const std::string& name, const std::vector<std::string>& takenTitles, LeadByteRule isLead)
{
    std::string title = UsableCharacters(name, isLead);
    // Windows drops trailing dots and blanks from a file name; neither is
    // ever the second byte of a two-byte character.
    while (!title.empty() && (title.back() == '.' || title.back() == ' '))
        title.pop_back();
    if (title.empty())
        title = kUnnamedTitle;
    if (IsReservedDeviceName(title, isLead))
        title.insert(0, "_");
    std::string unique = title;
    for (int number = 2; IsTaken(unique, takenTitles, isLead); ++number)
        unique = title + " (" + std::to_string(number) + ")";
    return unique;
}
