#include "testing/host/HostVisuals.h"
#include <algorithm>
#include <cstring>
#include "catalogue/PluginFileName.h"
#include "catalogue/VisPlugin.h"

namespace standin_host {

namespace {

struct Entry {
    std::string name;
    bool folder;
};

// The extension after the last dot is exactly "svp": "Fire.SVP" and
// "Fire.svp_disabled" are not plug-ins.
bool HasPluginExtension(const std::string& name)
{
    size_t dot = name.rfind('.');
    return dot != std::string::npos && name.compare(dot + 1, std::string::npos, kPluginExtension) == 0;
}

std::vector<Entry> EntriesByName(const std::string& visFolder)
{
    std::vector<Entry> entries;
    WIN32_FIND_DATAA data;
    HANDLE find = ::FindFirstFileA((visFolder + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return entries;
    do {
        if (std::strcmp(data.cFileName, ".") != 0 && std::strcmp(data.cFileName, "..") != 0)
            entries.push_back({data.cFileName, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (::FindNextFileA(find, &data));
    ::FindClose(find);
    std::sort(entries.begin(), entries.end(),
              [](const Entry& a, const Entry& b) { return std::strcmp(a.name.c_str(), b.name.c_str()) < 0; });
    return entries;
}

// The first plug-in file of a sub-folder, or "" when it holds none.
std::string PluginInFolder(const std::string& folder)
{
    WIN32_FIND_DATAA data;
    HANDLE find = ::FindFirstFileA((folder + "\\*.svp").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return "";
    std::string found;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && HasPluginExtension(data.cFileName))
            found = data.cFileName;
    } while (found.empty() && ::FindNextFileA(find, &data));
    ::FindClose(find);
    return found;
}

std::string FileTitle(const std::string& path)
{
    std::string title = path.substr(path.find_last_of("\\/") + 1);
    return title.substr(0, title.rfind('.'));
}

// The display name the plug-in reports: the text at the record's second field.
const char* ReportedName(HMODULE library)
{
    using QueryModule = const void* (*)();
    FARPROC export_ = ::GetProcAddress(library, "QueryModule");
    if (!export_)
        return nullptr;
    const void* record = reinterpret_cast<QueryModule>(reinterpret_cast<void (*)()>(export_))();
    if (!record || ::IsBadReadPtr(record, 8))
        return nullptr;
    const char* name = *reinterpret_cast<const char* const*>(static_cast<const char*>(record) + 4);
    return name && !::IsBadStringPtrA(name, ~UINT_PTR(0)) ? name : nullptr;
}

std::string LoadPlugin(const std::string& path, std::vector<HMODULE>& libraries)
{
    HMODULE library = ::LoadLibraryA(path.c_str());
    if (!library)
        return FileTitle(path);
    libraries.push_back(library);
    const char* name = ReportedName(library);
    return name ? name : FileTitle(path);
}

}

std::vector<std::string> LoadVisuals(const std::string& visFolder, std::vector<HMODULE>& libraries)
{
    std::vector<std::string> visuals(kBuiltinNames, kBuiltinNames + kBuiltinCount);
    for (const Entry& entry : EntriesByName(visFolder)) {
        std::string path = visFolder + "\\" + entry.name;
        if (entry.folder) {
            std::string file = PluginInFolder(path);
            if (!file.empty())
                visuals.push_back(LoadPlugin(path + "\\" + file, libraries));
        } else if (HasPluginExtension(entry.name)) {
            visuals.push_back(LoadPlugin(path, libraries));
        }
    }
    return visuals;
}

}
