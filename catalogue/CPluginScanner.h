#pragma once
#include <windows.h>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class CListCtrl;
class CProfileFile;
class CProfileIndex;
struct VisPlugin;

// Builds the catalogue: appends the built-in visuals and every plug-in of the
// Vis folder to the list, one row each with its VisPlugin record, and notes
// which rows were enabled when the host last loaded them.
class CPluginScanner {
public:
    // Told the full path of every plug-in that has no display name, and why.
    using NameWarning = std::function<void(const std::string& pluginPath, const std::string& problem)>;

    CPluginScanner(CListCtrl& list, const std::string& visFolder, const CProfileFile& settings,
                   std::vector<unsigned char>& enabledAtLoad, NameWarning warn);

    // Fills the empty list; always TRUE.
    BOOL ScanPlugins();
    // Appends a row that owns a new record; the list view's insert result.
    int AddPluginItem(const std::string& name, const std::string& relativePath, int image);
    // Inserts at row an enabled plug-in just copied into the Vis folder,
    // named as the scan names it, with a load position the running host
    // never loaded; the list view's insert result.
    int InsertAddedPlugin(int row, const std::string& relativePath);

private:
    void AddBuiltinVisuals();
    void ScanVisFolder();
    void AddPlugin(const std::string& relativePath, const std::string& fallbackName, bool enabled,
                   CProfileIndex& names);
    void RecordEnabledAtLoad(int row, bool enabled);
    // Appends a row at m_nRows, the list's row count; problem says why the
    // plug-in gave no name, empty when it did.
    int AppendRow(const std::string& name, const std::string& relativePath, int image, std::string problem = {});
    int InsertRow(int row, const std::string& name, std::unique_ptr<VisPlugin> plugin, int image);

    CListCtrl& m_list;
    std::string m_strVisFolder;
    std::string m_strHostFolder;  // where the plug-ins' libraries may be, above the Vis folder
    const CProfileFile& m_settings;
    std::vector<unsigned char>& m_enabledAtLoad;
    NameWarning m_warn;
    int m_nRows = 0;
};
