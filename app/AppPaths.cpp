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

std::string ReadmePathFor(const std::string& executablePath, LeadByteRule isLead)
{
    std::string path = LowerCase(executablePath, isLead);
    size_t name = FindLastChar(path, "\\/", isLead);
    size_t dot = FindLastChar(path, ".", isLead);
    if (dot == std::string::npos || (name != std::string::npos && dot < name))
        return path + ".txt";
    return path.replace(dot, std::string::npos, ".txt");
}
