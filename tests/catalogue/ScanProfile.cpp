// Profile, not a test: where the scan's time goes, measured inside one
// process under Wine on a Vis folder of many stand-in plug-ins.
// Usage: catalogue_scan_profile.exe [PLUGINS]
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>
#include "catalogue/CPluginScanner.h"
#include "catalogue/CProfileIndex.h"
#include "catalogue/CVisFileFind.h"
#include "catalogue/DisplayName.h"
#include "catalogue/PluginFileName.h"
#include "catalogue/PluginQuery.h"
#include "catalogue/VisPlugin.h"
#include "framework/CListCtrl.h"
#include "framework/CProfileFile.h"
#include "testing/plugins/StandInPlugins.h"
#include "tests/TempFolder.h"

namespace {
void Time(const char* what, const std::function<void()>& work)
{
    LARGE_INTEGER frequency, start, end;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&start);
    work();
    ::QueryPerformanceCounter(&end);
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &memory, sizeof memory);
    std::printf("%-40s %9.1f ms   working set %6.1f MB, peak %6.1f MB\n", what,
                1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart),
                static_cast<double>(memory.WorkingSetSize) / 1048576.0,
                static_cast<double>(memory.PeakWorkingSetSize) / 1048576.0);
    std::fflush(stdout);
}

std::vector<std::string> PluginPaths(const std::string& vis)
{
    std::vector<std::string> paths;
    CVisFileFind find(vis);
    BOOL more = find.FindFile("*.svp");
    while (more) {
        more = find.FindNextFile();
        paths.push_back(find.GetFilePath());
    }
    return paths;
}

class HiddenList {
public:
    HiddenList()
    {
        m_list.SubclassWindow(::CreateWindowExA(0, WC_LISTVIEWA, "", LVS_REPORT, 0, 0, 200, 400, nullptr, nullptr,
                                                nullptr, nullptr));
        LVCOLUMNA column{};
        column.mask = LVCF_WIDTH;
        column.cx = 180;
        m_list.InsertColumn(0, &column);
    }
    ~HiddenList()
    {
        for (int row = 0; row < m_list.GetItemCount(); ++row)
            delete reinterpret_cast<VisPlugin*>(m_list.GetItemData(row));
        ::DestroyWindow(m_list.m_hWnd);
    }
    CListCtrl& List() { return m_list; }

private:
    CListCtrl m_list;
};

void Scan(const std::string& vis, const CProfileFile& settings)
{
    HiddenList list;
    std::vector<unsigned char> enabledAtLoad;
    CPluginScanner(list.List(), vis, settings, enabledAtLoad, [](const std::string&, const std::string&) {})
        .ScanPlugins();
}
}

int main(int argc, char** argv)
{
    int count = argc > 1 ? std::atoi(argv[1]) : 2000;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);
    TempFolder folder;
    std::string vis = folder / "Vis";
    ::CreateDirectoryA(vis.c_str(), nullptr);
    for (int i = 1; i <= count; ++i) {
        char title[32];
        std::snprintf(title, sizeof title, "%03d_Plugin%04d", i % 1000, i);
        standin::AddNamedPlugin(vis, std::string(title) + ".svp", "Benchmark Visual " + std::to_string(i));
    }
    std::vector<std::string> paths;
    CProfileFile cold(folder / "cold.ini");
    CProfileFile settings(folder / "settings.ini");
    std::printf("%d plug-ins\n", count);

    Time("enumerate the Vis folder", [&] { paths = PluginPaths(vis); });
    auto queryAll = [&] {
        std::string name;
        for (const std::string& path : paths)
            QueryPluginName(path, name);
    };
    Time("load, query and release every plug-in", queryAll);
    Time("the same again, files in memory", queryAll);
    Time("write every name, key by key", [&] {
        std::string key;
        for (const std::string& path : paths) {
            GetPluginKey(path, key);
            settings.WriteString(kCacheSection, key, "Benchmark Visual");
        }
    });
    Time("read every name, key by key", [&] {
        std::string key;
        for (const std::string& path : paths) {
            GetPluginKey(path, key);
            settings.GetString(kCacheSection, key);
        }
    });
    CProfileFile indexed(folder / "indexed.ini");
    Time("write every name through the index", [&] {
        CProfileIndex index(indexed);
        std::string key;
        for (const std::string& path : paths) {
            GetPluginKey(path, key);
            index.WriteString(kCacheSection, key, "Benchmark Visual");
        }
        index.Flush();
    });
    Time("read every name through the index", [&] {
        CProfileIndex index(indexed);
        std::string key;
        for (const std::string& path : paths) {
            GetPluginKey(path, key);
            index.GetString(kCacheSection, key);
        }
    });
    Time("append every row to a list view", [&] {
        HiddenList list;
        std::vector<unsigned char> enabledAtLoad;
        CPluginScanner scanner(list.List(), vis, settings, enabledAtLoad, [](const std::string&, const std::string&) {});
        for (const std::string& path : paths)
            scanner.AddPluginItem("Benchmark Visual", path, IMG_ENABLED);
    });
    Time("whole scan, empty cache", [&] { Scan(vis + "\\", cold); });
    Time("whole scan, every name cached", [&] { Scan(vis + "\\", cold); });
    return 0;
}
