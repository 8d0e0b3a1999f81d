#include "catalogue/PluginPicker.h"
#include <commdlg.h>
#include <shlobj.h>
#include "catalogue/PluginInstall.h"
#include "framework/CProfileFile.h"
#include "framework/ResString.h"
#include "res/resource.h"

namespace {
// Room for the names of many files picked at once.
constexpr DWORD kPickedNamesSize = 64 * 1024;

constexpr char kFoldersSection[] = "Folders";
constexpr char kAddFolderKey[] = "AddPlugins";

// Known folders came with Vista; the system folder ids before it have no Downloads.
std::string DownloadsFolder()
{
    using GetKnownFolderPath = HRESULT(WINAPI*)(REFGUID, DWORD, HANDLE, PWSTR*);
    auto get = reinterpret_cast<GetKnownFolderPath>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("shell32.dll"), "SHGetKnownFolderPath")));
    PWSTR wide = nullptr;
    if (!get || FAILED(get(FOLDERID_Downloads, 0, nullptr, &wide)))
        return "";
    char folder[MAX_PATH] = "";
    BOOL unmapped = FALSE;
    NameConversion conversion = NameConversionFor(::GetACP());
    int length = ::WideCharToMultiByte(CP_ACP, conversion.flags, wide, -1, folder, sizeof folder,
                                       conversion.defaultChar, conversion.defaultChar ? &unmapped : nullptr);
    ::CoTaskMemFree(wide);
    return length > 0 && !unmapped ? folder : "";
}

std::string DocumentsFolder()
{
    char folder[MAX_PATH] = "";
    return SUCCEEDED(::SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, folder)) ? folder : "";
}

// With its separator: "C:" alone would be the drive's current folder.
std::string FolderOf(const std::string& path)
{
    return path.substr(0, FindLastChar(path, "\\/") + 1);
}

std::string OwnFolder()
{
    char executable[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, executable, MAX_PATH);
    return FolderOf(executable);
}

std::string ExistingFolder(const std::string& folder)
{
    DWORD attributes = ::GetFileAttributesA(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) ? folder : "";
}

std::string StartFolder(const CProfileFile& settings)
{
    return FirstFolderBesides({ExistingFolder(settings.GetString(kFoldersSection, kAddFolderKey)),
                               ExistingFolder(DownloadsFolder()), ExistingFolder(DocumentsFolder())},
                              OwnFolder());
}
}

std::vector<std::string> ChoosePluginFiles(HWND owner, const CProfileFile& settings)
{
    // The table cannot hold NULs: "|" stands for them.
    std::string filter = LoadResString(IDS_PLUGIN_FILTER);
    for (char& c : filter) {
        if (c == '|')
            c = '\0';
    }
    std::string names(kPickedNamesSize, '\0');
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = &names[0];
    dialog.nMaxFile = kPickedNamesSize;
    std::string title = LoadResString(IDS_ADD_TITLE);
    dialog.lpstrTitle = title.c_str();
    std::string start = StartFolder(settings);
    dialog.lpstrInitialDir = start.empty() ? nullptr : start.c_str();
    dialog.Flags = OFN_ALLOWMULTISELECT | OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    if (!::GetOpenFileNameA(&dialog))
        return {};
    std::vector<std::string> paths = SplitOpenFileNames(names);
    if (!paths.empty())
        settings.WriteString(kFoldersSection, kAddFolderKey, FolderOf(paths.front()));
    return paths;
}

std::vector<std::string> DroppedPaths(HDROP drop)
{
    std::vector<std::string> paths;
    UINT count = ::DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT index = 0; index < count; ++index) {
        std::string path(::DragQueryFileA(drop, index, nullptr, 0) + 1, '\0');
        UINT length = ::DragQueryFileA(drop, index, &path[0], static_cast<UINT>(path.size()));
        path.resize(length);
        if (!path.empty())
            paths.push_back(path);
    }
    return paths;
}

void AcceptDropsFromLowerLevels(HWND window)
{
    // The system's names need Windows 7 and Vista: before them there is no filter.
    constexpr DWORD kAllow = 1;  // MSGFLT_ALLOW
    constexpr DWORD kAdd = 1;    // MSGFLT_ADD
    constexpr UINT kCopyGlobalData = 0x0049;
    using FilterForWindow = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
    using FilterForProcess = BOOL(WINAPI*)(UINT, DWORD);
    HMODULE user32 = ::GetModuleHandleA("user32.dll");
    auto forWindow = reinterpret_cast<FilterForWindow>(
        reinterpret_cast<void*>(::GetProcAddress(user32, "ChangeWindowMessageFilterEx")));
    auto forProcess = reinterpret_cast<FilterForProcess>(
        reinterpret_cast<void*>(::GetProcAddress(user32, "ChangeWindowMessageFilter")));
    for (UINT message : {static_cast<UINT>(WM_DROPFILES), static_cast<UINT>(WM_COPYDATA), kCopyGlobalData}) {
        if (forWindow)
            forWindow(window, message, kAllow, nullptr);
        else if (forProcess)
            forProcess(message, kAdd);
    }
}
