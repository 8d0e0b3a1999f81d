#include "catalogue/CPluginScanner.h"
#include <memory>
#include "catalogue/CProfileIndex.h"
#include "catalogue/DisplayName.h"
#include "catalogue/PluginFileName.h"
#include "catalogue/PluginInstall.h"
#include "catalogue/VisFolder.h"
#include "catalogue/VisPlugin.h"
#include "framework/CListCtrl.h"
#include "framework/CodePageText.h"

namespace {
// "C:\Melodrift\" for "C:\Melodrift\Vis\".
std::string ParentFolder(const std::string& folder)
{
    std::string path = EndsInSeparator(folder) ? folder.substr(0, folder.size() - 1) : folder;
    size_t separator = FindLastChar(path, "\\/");
    return separator == std::string::npos ? "" : path.substr(0, separator + 1);
}

std::unique_ptr<VisPlugin> NewRecord(const std::string& relativePath, unsigned long flags)
{
    auto plugin = std::make_unique<VisPlugin>();
    plugin->file = relativePath;
    plugin->flags = flags;
    std::string key = MatchingKey(relativePath);
    if (!HoldsUnmappedChar(key))
        plugin->matchingKey = key;
    return plugin;
}
}

CPluginScanner::CPluginScanner(CListCtrl& list, const std::string& visFolder, const CProfileFile& settings,
                               std::vector<unsigned char>& enabledAtLoad, NameWarning warn)
    : m_list(list), m_strVisFolder(visFolder), m_strHostFolder(ParentFolder(visFolder)), m_settings(settings),
      m_enabledAtLoad(enabledAtLoad), m_warn(std::move(warn))
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
    PluginDiagnosis why;
    std::string problem;
    if (!LookupDisplayName(names, fullPath, m_strHostFolder, name, why)) {
        problem = ProblemText(why);
        m_warn(fullPath, problem);
        name = fallbackName;
    }
    RecordEnabledAtLoad(m_nRows, enabled);
    AppendRow(name, relativePath, enabled ? IMG_ENABLED : IMG_DISABLED, std::move(problem));
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
    PluginDiagnosis why;
    auto plugin = NewRecord(relativePath, VIS_ENABLED | VIS_ADDED);
    if (!LookupDisplayName(m_settings, fullPath, m_strHostFolder, name, why)) {
        plugin->problem = ProblemText(why);
        plugin->flags |= VIS_NO_NAME;
        m_warn(fullPath, plugin->problem);
        name = EntryTitle(relativePath);
    }
    plugin->loadIndex = static_cast<int>(m_enabledAtLoad.size());
    RecordEnabledAtLoad(plugin->loadIndex, false);
    return InsertRow(row, name, std::move(plugin), IMG_ENABLED);
}

int CPluginScanner::AppendRow(const std::string& name, const std::string& relativePath, int image, std::string problem)
{
    auto plugin = NewRecord(relativePath, image == IMG_DISABLED ? VIS_DISABLED_ON_DISK : VIS_ENABLED);
    if (!problem.empty())
        plugin->flags |= VIS_NO_NAME;
    plugin->loadIndex = m_nRows;
    plugin->problem = std::move(problem);
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
