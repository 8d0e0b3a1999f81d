#include "testing/host/HostVisuals.h"
#include <algorithm>
#include <cstring>
#include <cwchar>
#include "catalogue/PluginFileName.h"
#include "catalogue/VisPlugin.h"

namespace standin_host {

namespace {

struct Entry {
    std::string name;   // in the code page, as FindFirstFileA gives it: the order
    std::wstring wide;  // as the system holds it: the way in, whatever the code page
    bool folder;
};

std::string Narrow(const std::wstring& wide)
{
    char text[2 * MAX_PATH] = "";
    ::WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, text, sizeof text, nullptr, nullptr);
    return text;
}

std::wstring Widen(const std::string& text)
{
    wchar_t wide[MAX_PATH] = L"";
    ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide, MAX_PATH);
    return wide;
}

// The extension after the last dot is exactly "svp": "Fire.SVP" and
// "Fire.svp_disabled" are not plug-ins.
bool HasPluginExtension(const std::string& name)
{
    size_t dot = name.rfind('.');
    return dot != std::string::npos && name.compare(dot + 1, std::string::npos, kPluginExtension) == 0;
}

// Through the wide functions, as a player does that finds a sub-folder whose
// name the code page cannot hold.
std::vector<Entry> EntriesByName(const std::wstring& visFolder)
{
    std::vector<Entry> entries;
    WIN32_FIND_DATAW data;
    HANDLE find = ::FindFirstFileW((visFolder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return entries;
    do {
        if (std::wcscmp(data.cFileName, L".") != 0 && std::wcscmp(data.cFileName, L"..") != 0)
            entries.push_back({Narrow(data.cFileName), data.cFileName,
                               (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
    std::sort(entries.begin(), entries.end(),
              [](const Entry& a, const Entry& b) { return std::strcmp(a.name.c_str(), b.name.c_str()) < 0; });
    return entries;
}

// The first plug-in file of a sub-folder, or "" when it holds none.
std::wstring PluginInFolder(const std::wstring& folder)
{
    WIN32_FIND_DATAW data;
    HANDLE find = ::FindFirstFileW((folder + L"\\*.svp").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return L"";
    std::wstring found;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && HasPluginExtension(Narrow(data.cFileName)))
            found = data.cFileName;
    } while (found.empty() && ::FindNextFileW(find, &data));
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

std::string LoadPlugin(const std::wstring& path, std::vector<HMODULE>& libraries)
{
    HMODULE library = ::LoadLibraryW(path.c_str());
    if (!library)
        return FileTitle(Narrow(path));
    libraries.push_back(library);
    const char* name = ReportedName(library);
    return name ? name : FileTitle(Narrow(path));
}

}

std::vector<std::string> LoadVisuals(const std::string& visFolder, std::vector<HMODULE>& libraries)
{
    std::vector<std::string> visuals(kBuiltinNames, kBuiltinNames + kBuiltinCount);
    std::wstring folder = Widen(visFolder);
    for (const Entry& entry : EntriesByName(folder)) {
        std::wstring path = folder + L"\\" + entry.wide;
        if (entry.folder) {
            std::wstring file = PluginInFolder(path);
            if (!file.empty())
                visuals.push_back(LoadPlugin(path + L"\\" + file, libraries));
        } else if (HasPluginExtension(entry.name)) {
            visuals.push_back(LoadPlugin(path, libraries));
        }
    }
    return visuals;
}

}
