#include "catalogue/CPluginScanner.h"
#include <memory>
#include "catalogue/CProfileIndex.h"
#include "catalogue/DisplayName.h"
#include "catalogue/PluginInstall.h"
#include "catalogue/VisFolder.h"
#include "catalogue/VisPlugin.h"
#include "framework/CListCtrl.h"

CPluginScanner::CPluginScanner(CListCtrl& list, const std::string& visFolder, const CProfileFile& settings,
                               std::vector<unsigned char>& enabledAtLoad, NameWarning warn)
    : m_list(list), m_strVisFolder(visFolder), m_settings(settings), m_enabledAtLoad(enabledAtLoad),
      m_warn(std::move(warn))
{
}

BOOL CPluginScanner::ScanPlugins()
{
    m_enabledAtLoad.clear();
    // Asked once: every message to the list goes through its subclass, and
    // with thousands of rows each one counts.
    m_nRows = m_list.GetItemCount();
    AddBuiltinVisuals();
    // Without the host's folder there is no Vis folder: searching the current
    // folder instead would catalogue, and let Save rename, files that are not the host's.
    if (!m_strVisFolder.empty())
        ScanVisFolder();
    return TRUE;
}

void CPluginScanner::AddBuiltinVisuals()
{
    for (int row = 0; row < kBuiltinCount; ++row) {
        RecordEnabledAtLoad(m_nRows, true);
        AppendRow(kBuiltinNames[row], "", IMG_BUILTIN);
    }
}

void CPluginScanner::ScanVisFolder()
{
    std::vector<VisFolderEntry> plugins = ListVisFolder(m_strVisFolder);
    if (plugins.empty())
        return;
    // The settings file is read once for all names, and the new ones are written together.
    CProfileIndex names(m_settings);
    // One layout and one paint for all rows instead of one per row.
    m_list.SetRedraw(FALSE);
    for (const VisFolderEntry& plugin : plugins)
        AddPlugin(plugin.file, plugin.title, plugin.enabled, names);
    m_list.SetRedraw(TRUE);
    m_list.Invalidate();
    names.Flush();
}

void CPluginScanner::AddPlugin(const std::string& relativePath, const std::string& fallbackName, bool enabled,
                               CProfileIndex& names)
{
    std::string fullPath = m_strVisFolder + relativePath;
    std::string name;
    if (!LookupDisplayName(names, fullPath, name)) {
        m_warn(fullPath);
        name = fallbackName;
    }
    RecordEnabledAtLoad(m_nRows, enabled);
    AppendRow(name, relativePath, enabled ? IMG_ENABLED : IMG_DISABLED);
}

void CPluginScanner::RecordEnabledAtLoad(int row, bool enabled)
{
    if (m_enabledAtLoad.size() <= static_cast<size_t>(row))
        m_enabledAtLoad.resize(static_cast<size_t>(row) + 1, 0);
    m_enabledAtLoad[static_cast<size_t>(row)] = enabled ? 1 : 0;
}

int CPluginScanner::AddPluginItem(const std::string& name, const std::string& relativePath, int image)
{
    m_nRows = m_list.GetItemCount();
    return AppendRow(name, relativePath, image);
}

// The host loads a plug-in only at its start: the new load position is
// one it never loaded, so its numbers and key steps pass over it.
int CPluginScanner::InsertAddedPlugin(int row, const std::string& relativePath)
{
    std::string fullPath = m_strVisFolder + relativePath;
    std::string name;
    if (!LookupDisplayName(m_settings, fullPath, name)) {
        m_warn(fullPath);
        name = EntryTitle(relativePath);
    }
    auto plugin = std::make_unique<VisPlugin>();
    plugin->file = relativePath;
    plugin->flags = VIS_ENABLED | VIS_ADDED;
    plugin->loadIndex = static_cast<int>(m_enabledAtLoad.size());
    RecordEnabledAtLoad(plugin->loadIndex, false);
    return InsertRow(row, name, std::move(plugin), IMG_ENABLED);
}

int CPluginScanner::AppendRow(const std::string& name, const std::string& relativePath, int image)
{
    auto plugin = std::make_unique<VisPlugin>();
    plugin->file = relativePath;
    plugin->flags = image == IMG_DISABLED ? VIS_DISABLED_ON_DISK : VIS_ENABLED;
    plugin->loadIndex = m_nRows;
    int inserted = InsertRow(m_nRows, name, std::move(plugin), image);
    if (inserted >= 0)
        ++m_nRows;
    return inserted;
}

int CPluginScanner::InsertRow(int row, const std::string& name, std::unique_ptr<VisPlugin> plugin, int image)
{
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = row;
    item.pszText = const_cast<char*>(name.c_str());
    item.iImage = image;
    item.lParam = reinterpret_cast<LPARAM>(plugin.get());
    int inserted = m_list.InsertItem(&item);
    if (inserted >= 0)
        plugin.release();  // the row owns it now
    return inserted;
}
