#include "catalogue/CPluginInstaller.h"
#include <shellapi.h>
#include <cstdio>
#include "catalogue/PluginInstall.h"
#include "catalogue/RecycleBin.h"
#include "catalogue/VisFolder.h"
#include "catalogue/VisPlugin.h"
#include "framework/CFileFind.h"
#include "framework/CListCtrl.h"
#include "framework/ResString.h"
#include "res/resource.h"

namespace {
bool IsFolder(const std::string& path)
{
    DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Into a folder just made, never over anything: each folder is made new
// and each file fails if it exists.
bool CopyContents(const std::string& from, const std::string& to)
{
    CFileFind find;
    BOOL more = find.FindFile(from + "\\*");
    while (more) {
        more = find.FindNextFile();
        if (find.IsDots())
            continue;
        std::string source = from + "\\" + find.GetFileName();
        std::string target = to + "\\" + find.GetFileName();
        bool copied = find.IsDirectory()
                          ? ::CreateDirectoryA(target.c_str(), nullptr) && CopyContents(source, target)
                          : ::CopyFileA(source.c_str(), target.c_str(), TRUE) != FALSE;
        if (!copied)
            return false;
    }
    return true;
}

void DeleteFiles(const std::string& path, FILEOP_FLAGS flags)
{
    std::string from = DoubleNulList({path});
    SHFILEOPSTRUCTA operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = flags;
    ::SHFileOperationA(&operation);
}

// A half-made copy is ours and goes for good, not to the Recycle Bin.
bool CopyFolder(const std::string& from, const std::string& to)
{
    if (!::CreateDirectoryA(to.c_str(), nullptr))
        return false;
    if (CopyContents(from, to))
        return true;
    DeleteFiles(to, FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT);
    return false;
}

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

std::wstring WidePath(const std::string& path)
{
    std::wstring wide(path.size() + 1, L'\0');
    int length = ::MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, &wide[0], static_cast<int>(wide.size()));
    wide.resize(length > 0 ? static_cast<size_t>(length - 1) : 0);
    return wide;
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
    bool copied = folder ? CopyFolder(path, m_strVisFolder + name)
                         : ::CopyFileA(path.c_str(), (m_strVisFolder + name).c_str(), TRUE) != FALSE;
    if (!copied) {
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
    for (int row : rows) {
        auto* plugin = reinterpret_cast<const VisPlugin*>(m_list.GetItemData(row));
        if (!plugin || plugin->file.empty())
            continue;
        if (Recycle(plugin->file))
            gone.push_back(row);
        else
            Tell(IDS_RECYCLE_FAILED, plugin->file);
    }
    return gone;
}

bool CPluginInstaller::ConfirmRecycle(size_t count)
{
    char question[256];
    std::snprintf(question, sizeof question, LoadResString(IDS_CONFIRM_RECYCLE).c_str(), static_cast<int>(count));
    return m_ask(question, MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
}

// Whether it went is told by the folder, not by the shell's answer.
bool CPluginInstaller::Recycle(const std::string& relativePath)
{
    if (IsHeld(m_strVisFolder + relativePath))
        return false;
    return MoveToRecycleBin(m_strVisFolder + TopLevelName(relativePath), m_ask) != RecycleOutcome::Kept;
}

void CPluginInstaller::Tell(UINT messageId, const std::string& name)
{
    m_ask(FormatResString1(messageId, name), MB_ICONEXCLAMATION | MB_OK);
}
