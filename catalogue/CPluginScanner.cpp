#include "catalogue/CPluginScanner.h"
#include <memory>
#include "catalogue/CVisFileFind.h"
#include "catalogue/DisplayName.h"
#include "catalogue/PluginFileName.h"
#include "catalogue/VisPlugin.h"
#include "framework/CListCtrl.h"
#include "host/HostFacts.h"

CPluginScanner::CPluginScanner(CListCtrl& list, const std::string& visFolder, const CProfileFile& settings,
                               std::vector<unsigned char>& enabledAtLoad, NameWarning warn)
    : m_list(list), m_strVisFolder(visFolder), m_settings(settings), m_enabledAtLoad(enabledAtLoad),
      m_warn(std::move(warn))
{
}

BOOL CPluginScanner::ScanPlugins()
{
    m_enabledAtLoad.clear();
    AddBuiltinVisuals();
    // Without the host's folder there is no Vis folder: searching the current
    // folder instead would catalogue, and let Save rename, files that are not the host's.
    if (!m_strVisFolder.empty())
        ScanVisFolder();
    return TRUE;
}

void CPluginScanner::AddBuiltinVisuals()
{
    for (int row = 0; row < host::kBuiltinCount; ++row) {
        RecordEnabledAtLoad(row, true);
        AddPluginItem(host::kBuiltinNames[row], "", IMG_BUILTIN);
    }
}

void CPluginScanner::ScanVisFolder()
{
    CVisFileFind find(m_strVisFolder);
    if (!find.FindFile())
        return;
    BOOL more = TRUE;
    while (more) {
        more = find.FindNextFile();
        if (find.IsDots())
            continue;
        if (find.IsDirectory())
            AddFolderPlugin(find);
        else
            AddFilePlugin(find);
    }
}

void CPluginScanner::AddFolderPlugin(const CVisFileFind& entry)
{
    std::string suffix = FindPluginInFolder(entry.GetFilePath());
    if (suffix.empty())
        return;
    bool enabled = StateOfFolderPlugin(suffix) == PluginNameState::Enabled;
    AddPlugin(entry.GetFileName() + suffix, entry.GetFileTitle(), enabled);
}

void CPluginScanner::AddFilePlugin(const CVisFileFind& entry)
{
    PluginNameState state = StateFromExtension(entry.GetFileExt());
    if (state == PluginNameState::NotPlugin)
        return;
    AddPlugin(entry.GetFileName(), entry.GetFileTitle(), state == PluginNameState::Enabled);
}

void CPluginScanner::AddPlugin(const std::string& relativePath, const std::string& fallbackName, bool enabled)
{
    std::string fullPath = m_strVisFolder + relativePath;
    std::string name;
    if (!LookupDisplayName(m_settings, fullPath, name)) {
        m_warn(fullPath);
        name = fallbackName;
    }
    RecordEnabledAtLoad(m_list.GetItemCount(), enabled);
    AddPluginItem(name, relativePath, enabled ? IMG_ENABLED : IMG_DISABLED);
}

void CPluginScanner::RecordEnabledAtLoad(int row, bool enabled)
{
    if (m_enabledAtLoad.size() <= static_cast<size_t>(row))
        m_enabledAtLoad.resize(static_cast<size_t>(row) + 1, 0);
    m_enabledAtLoad[static_cast<size_t>(row)] = enabled ? 1 : 0;
}

int CPluginScanner::AddPluginItem(const std::string& name, const std::string& relativePath, int image)
{
    int count = m_list.GetItemCount();
    auto plugin = std::make_unique<VisPlugin>();
    plugin->file = relativePath;
    plugin->flags = image == IMG_DISABLED ? VIS_DISABLED_ON_DISK : VIS_ENABLED;
    plugin->loadIndex = count;

    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = count;
    item.pszText = const_cast<char*>(name.c_str());
    item.iImage = image;
    item.lParam = reinterpret_cast<LPARAM>(plugin.get());
    int inserted = m_list.InsertItem(&item);
    if (inserted >= 0)
        plugin.release();  // the row owns it now
    return inserted;
}

std::string CPluginScanner::FindPluginInFolder(const std::string& folderPath) const
{
    CVisFileFind find(folderPath);
    if (!find.FindFile("*.svp*"))
        return "";
    // The first match that is a file: a folder cannot be loaded as a plug-in.
    BOOL more = TRUE;
    while (more) {
        more = find.FindNextFile();
        if (!find.IsDirectory())
            return "\\" + find.GetFileName();
    }
    return "";
}
