#include "app/AppPaths.h"

std::string SettingsPathFor(const std::string& executablePath, LeadByteRule isLead)
{
    std::string path = LowerCase(executablePath, isLead);
    const std::string exe = ".exe";
    const std::string ini = ".ini";
    for (size_t at = FindSubstring(path, exe, 0, isLead); at != std::string::npos;
         at = FindSubstring(path, exe, at + ini.size(), isLead))
        path.replace(at, exe.size(), ini);
    return path;
}

namespace {
// path with its file's extension, if it has one, replaced by extension.
std::string ReplaceExtension(std::string path, const std::string& extension, LeadByteRule isLead)
{
    size_t name = FindLastChar(path, "\\/", isLead);
    size_t dot = FindLastChar(path, ".", isLead);
    if (dot == std::string::npos || (name != std::string::npos && dot < name))
        return path + extension;
    return path.replace(dot, std::string::npos, extension);
}
}

std::string ReadmePathFor(const std::string& executablePath, LeadByteRule isLead)
{
    return ReplaceExtension(LowerCase(executablePath, isLead), ".txt", isLead);
}

std::string JournalPathFor(const std::string& settingsPath, LeadByteRule isLead)
{
    return ReplaceExtension(settingsPath, "-last-save.txt", isLead);
}
