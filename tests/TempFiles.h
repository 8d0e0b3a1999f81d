#pragma once
#include <windows.h>
#include <set>
#include <string>

// The names of the files in the temporary folder that match pattern
// ("QTX*.AVI"), for tests of code that leaves files there.
inline std::set<std::string> TempFilesMatching(const std::string& pattern)
{
    char folder[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, folder);
    std::set<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = ::FindFirstFileA((std::string(folder) + pattern).c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do
        names.insert(data.cFileName);
    while (::FindNextFileA(find, &data));
    ::FindClose(find);
    return names;
}
