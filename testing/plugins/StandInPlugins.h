#pragma once
#include <windows.h>
#include <string>

// Lays out a Vis folder for a Win32 test with copies of the stand-in
// plug-ins of this build (link the target standin_plugins).
namespace standin {

enum class Kind { Named, NullRecord, NullName, WildName, NoExport, FailInit, CrashLoad, CrashQuery, NeedsLibrary };

inline std::string LibraryPath(Kind kind)
{
    static const char* const files[] = {"named", "nullrecord", "nullname", "wildname",
                                        "noexport", "failinit", "crashload", "crashquery", "needslibrary"};
    return std::string(STANDIN_PLUGIN_DIR) + "/standin_" + files[static_cast<int>(kind)] + ".dll";
}

// visFolder\relativePath without its last extension and without a leading
// order tag ("012_"), plus extension: where the named stand-in finds its name
// (".name") and counts its loads (".loads"). 012_Fire.svp, 004_Fire.svp and
// Fire.svp_disabled share Fire.name.
inline std::string SideFile(const std::string& visFolder, const std::string& relativePath, const char* extension)
{
    std::string path = visFolder + "\\" + relativePath;
    size_t title = path.find_last_of("\\/") + 1;
    size_t dot = path.rfind('.');
    if (dot != std::string::npos && dot >= title)
        path.erase(dot);
    auto digit = [&](size_t at) { return at < path.size() && path[at] >= '0' && path[at] <= '9'; };
    if (digit(title) && digit(title + 1) && digit(title + 2) && path.compare(title + 3, 1, "_") == 0)
        path.erase(title, 4);
    return path + extension;
}

inline bool WriteTextFile(const std::string& path, const std::string& text)
{
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok = ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    ::CloseHandle(file);
    return ok && written == text.size();
}

// Makes the folders on the way to visFolder\relativePath.
inline void MakeParentFolders(const std::string& visFolder, const std::string& relativePath)
{
    for (size_t at = relativePath.find_first_of("\\/"); at != std::string::npos;
         at = relativePath.find_first_of("\\/", at + 1))
        ::CreateDirectoryA((visFolder + "\\" + relativePath.substr(0, at)).c_str(), nullptr);
}

// A copy of the stand-in of kind as visFolder\relativePath.
inline bool AddPlugin(const std::string& visFolder, const std::string& relativePath, Kind kind)
{
    MakeParentFolders(visFolder, relativePath);
    return ::CopyFileA(LibraryPath(kind).c_str(), (visFolder + "\\" + relativePath).c_str(), FALSE) != FALSE;
}

// A named stand-in that reports displayName.
inline bool AddNamedPlugin(const std::string& visFolder, const std::string& relativePath,
                           const std::string& displayName)
{
    return AddPlugin(visFolder, relativePath, Kind::Named) &&
           WriteTextFile(SideFile(visFolder, relativePath, ".name"), displayName);
}

// A file that is no library at all, under a plug-in's name.
inline bool AddNonLibrary(const std::string& visFolder, const std::string& relativePath)
{
    MakeParentFolders(visFolder, relativePath);
    return WriteTextFile(visFolder + "\\" + relativePath, "This is not a library.\r\n");
}

// How often the named stand-in at visFolder\relativePath has been loaded.
inline int LoadCount(const std::string& visFolder, const std::string& relativePath)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExA(SideFile(visFolder, relativePath, ".loads").c_str(), GetFileExInfoStandard, &data))
        return 0;
    return static_cast<int>(data.nFileSizeLow / 6);  // one "load\r\n" per load
}

}
