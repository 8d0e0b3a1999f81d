#include "catalogue/CPluginInstaller.h"
#include <cstdio>
#include "catalogue/PluginInstall.h"
#include "catalogue/RecycleBin.h"
#include "catalogue/SafeName.h"
#include "catalogue/VisFolder.h"
#include "catalogue/VisFolderCopy.h"
#include "catalogue/VisPlugin.h"
#include "framework/CListCtrl.h"
#include "framework/ResString.h"
#include "res/resource.h"

namespace {
bool IsFolder(const std::string& path)
{
    DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// At most this many lines in the one message after a Remove.
constexpr size_t kListedNotRecycled = 20;

// A plug-in the host has loaded cannot be opened for writing; a move to the
// Recycle Bin would still take it away under the host.
bool IsHeld(const std::string& path)
{
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return true;
    ::CloseHandle(file);
    return false;
}

std::vector<std::string> TopLevelNames(const std::string& visFolder)
{
    std::vector<std::string> names;
    for (const VisFolderEntry& entry : ListVisFolder(visFolder))
        names.push_back(TopLevelName(entry.file));
    return names;
}
}

CPluginInstaller::CPluginInstaller(CListCtrl& list, const std::string& visFolder, const CProfileFile& settings,
                                   std::vector<unsigned char>& enabledAtLoad, CPluginScanner::NameWarning warn,
                                   Ask ask)
    : m_list(list), m_strVisFolder(visFolder), m_scanner(list, visFolder, settings, enabledAtLoad, std::move(warn)),
      m_ask(std::move(ask))
{
}

std::vector<int> CPluginInstaller::AddPlugins(const std::vector<std::string>& paths, int row)
{
    std::vector<int> added;
    std::vector<std::string> folderNames = TopLevelNames(m_strVisFolder);
    for (const std::string& path : paths) {
        std::string relativePath = CopyIn(path, folderNames);
        if (relativePath.empty())
            continue;
        int inserted = m_scanner.InsertAddedPlugin(row, relativePath);
        if (inserted >= 0) {
            added.push_back(inserted);
            row = inserted + 1;
        }
    }
    return added;
}

// A folder counts as a plug-in when it holds a plug-in file, as the scan counts it.
std::string CPluginInstaller::CopyIn(const std::string& path, std::vector<std::string>& folderNames)
{
    std::string name = LeafName(path);
    bool folder = IsFolder(path);
    std::string pluginFile = folder ? FindPluginInFolder(WidePath(path)) : name;
    if (folder ? pluginFile.empty() : !IsPluginFile(path)) {
        Tell(IDS_NOT_A_PLUGIN, path);
        return "";
    }
    if (IsNameTaken(name, folderNames)) {
        Tell(IDS_NAME_TAKEN, name);
        return "";
    }
    if (IsReservedDeviceName(name) || !CopyIntoVisFolder(path, m_strVisFolder + name)) {
        Tell(IDS_COPY_FAILED, path);
        return "";
    }
    folderNames.push_back(name);
    return folder ? name + pluginFile : name;
}

std::vector<int> CPluginInstaller::RecyclePlugins(const std::vector<int>& rows)
{
    std::vector<int> gone;
    if (rows.empty() || !ConfirmRecycle(rows.size()))
        return gone;
    std::vector<std::string> notRecycled;
    for (int row : rows) {
        auto* plugin = reinterpret_cast<const VisPlugin*>(m_list.GetItemData(row));
        if (!plugin || plugin->file.empty())
            continue;
        UINT fate = Recycle(plugin->file);
        if (fate == 0 || fate == IDS_DELETED_FOR_GOOD)
            gone.push_back(row);
        if (fate != 0)
            notRecycled.push_back(FormatResString1(fate, plugin->file));
    }
    if (!notRecycled.empty())
        m_ask(FormatResString1(IDS_NOT_RECYCLED, ListLines(notRecycled, kListedNotRecycled, IDS_AND_MORE)),
              MB_ICONEXCLAMATION | MB_OK);
    return gone;
}

bool CPluginInstaller::ConfirmRecycle(size_t count)
{
    char question[256];
    std::snprintf(question, sizeof question, LoadResString(IDS_CONFIRM_RECYCLE).c_str(), static_cast<int>(count));
    return m_ask(question, MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
}

// The text of the line that tells what became of it; 0 when it is in the
// Recycle Bin.
UINT CPluginInstaller::Recycle(const std::string& relativePath)
{
    if (IsHeld(m_strVisFolder + relativePath))
        return IDS_KEPT_HELD;
    bool binRefused = false;
    switch (MoveToRecycleBin(m_strVisFolder + TopLevelName(relativePath), m_ask, &binRefused)) {
    case RecycleOutcome::Recycled:
        return 0;
    case RecycleOutcome::Deleted:
        return IDS_DELETED_FOR_GOOD;
    case RecycleOutcome::Kept:
        break;
    }
    return binRefused ? IDS_KEPT_BIN_REFUSED : IDS_KEPT_HELD;
}

void CPluginInstaller::Tell(UINT messageId, const std::string& name)
{
    m_ask(FormatResString1(messageId, name), MB_ICONEXCLAMATION | MB_OK);
}
