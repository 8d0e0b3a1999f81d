// Benchmark yardstick, not a test: loads, queries and releases every plug-in
// file of the host's Vis folder, as a scan does for plug-ins whose names are
// not cached, and nothing else; then shows a box. The scan benchmark times
// it from start to box as it times the program from start to window.
#include <windows.h>
#include <string>
#include "catalogue/CVisFileFind.h"
#include "catalogue/PluginFileName.h"
#include "catalogue/PluginQuery.h"
#include "host/HostPaths.h"
#include "host/HostRegistry.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    std::string folder;
    if (!ReadHostFolder(folder))
        return 1;
    CVisFileFind find(MakeHostPaths(folder).visFolder);
    BOOL more = find.FindFile();
    int plugins = 0;
    std::string name;
    while (more) {
        more = find.FindNextFile();
        if (find.IsDirectory() || StateFromExtension(find.GetFileExt()) == PluginNameState::NotPlugin)
            continue;
        QueryPluginName(find.GetFilePath(), name);
        ++plugins;
    }
    ::MessageBoxA(nullptr, (std::to_string(plugins) + " plug-ins asked").c_str(), "Query alone", MB_OK);
    return 0;
}
