#include "catalogue/PluginPicker.h"
#include <commdlg.h>
#include "catalogue/PluginInstall.h"
#include "framework/ResString.h"
#include "res/resource.h"

namespace {
// Room for the names of many files picked at once.
constexpr DWORD kPickedNamesSize = 64 * 1024;
}

std::vector<std::string> ChoosePluginFiles(HWND owner)
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
    dialog.Flags = OFN_ALLOWMULTISELECT | OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    if (!::GetOpenFileNameA(&dialog))
        return {};
    return SplitOpenFileNames(names);
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
