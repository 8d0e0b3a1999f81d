#include "app/AppPaths.h"
#include <cctype>

namespace {
std::string LowerCaseReplacingExe(const std::string& path, const std::string& extension)
{
    std::string lower = path;
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const std::string exe = ".exe";
    for (size_t at = lower.find(exe); at != std::string::npos; at = lower.find(exe, at + extension.size()))
        lower.replace(at, exe.size(), extension);
    return lower;
}
}

std::string SettingsPathFor(const std::string& executablePath)
{
    return LowerCaseReplacingExe(executablePath, ".ini");
}

std::string ReadmePathFor(const std::string& executablePath)
{
    return LowerCaseReplacingExe(executablePath, ".txt");
}
