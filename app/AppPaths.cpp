#include "app/AppPaths.h"
#include <cctype>

namespace {
std::string LowerCase(std::string path)
{
    for (char& c : path)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return path;
}
}

std::string SettingsPathFor(const std::string& executablePath)
{
    std::string path = LowerCase(executablePath);
    const std::string exe = ".exe";
    const std::string ini = ".ini";
    for (size_t at = path.find(exe); at != std::string::npos; at = path.find(exe, at + ini.size()))
        path.replace(at, exe.size(), ini);
    return path;
}

std::string ReadmePathFor(const std::string& executablePath)
{
    std::string path = LowerCase(executablePath);
    size_t name = path.find_last_of("\\/");
    size_t dot = path.rfind('.');
    if (dot == std::string::npos || (name != std::string::npos && dot < name))
        return path + ".txt";
    return path.replace(dot, std::string::npos, ".txt");
}
