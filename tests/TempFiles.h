#pragma once
#include <windows.h>
#include <set>
#include <string>

// The names of the files and folders in folder (with its trailing backslash)
// that match pattern, "." and ".." left out.
inline std::set<std::string> FilesMatching(const std::string& folder, const std::string& pattern = "*")
{
    std::set<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = ::FindFirstFileA((folder + pattern).c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        std::string name = data.cFileName;
        if (name != "." && name != "..")
            names.insert(name);
    } while (::FindNextFileA(find, &data));
    ::FindClose(find);
    return names;
}

// The names of the files in the temporary folder that match pattern
// ("QTX*.AVI"), for tests of code that leaves files there.
inline std::set<std::string> TempFilesMatching(const std::string& pattern)
{
    char folder[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, folder);
    return FilesMatching(folder, pattern);
}
