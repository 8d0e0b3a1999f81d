// Save's renames beside bare renames on the same folder, in one run:
//   wine host_save_benchmark.exe [PLUGINS]
// Lays out PLUGINS files (default 2000), renames each once with MoveFileA
// (the bare cost), then saves them as plug-in rows: every one gets a new tag
// and every fourth is switched off.
#include <windows.h>
#include <cstdio>
#include <cstdlib>
#include <string>
#include "host/PluginRename.h"
#include "tests/TempFolder.h"

namespace {
double Seconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::string Name(const char* format, int plugin)
{
    char name[64];
    std::snprintf(name, sizeof name, format, plugin);
    return name;
}
}

int main(int argc, char** argv)
{
    int plugins = argc > 1 ? std::atoi(argv[1]) : 2000;
    TempFolder vis;
    std::string folder = vis.Path() + "\\";
    for (int plugin = 0; plugin < plugins; ++plugin)
        vis.WriteFile(Name("Plugin%04d.svp", plugin), "plug-in");

    LARGE_INTEGER start, bareDone, saveDone;
    ::QueryPerformanceCounter(&start);
    for (int plugin = 0; plugin < plugins; ++plugin)
        ::MoveFileA((folder + Name("Plugin%04d.svp", plugin)).c_str(),
                    (folder + Name("999_Plugin%04d.svp", plugin)).c_str());
    ::QueryPerformanceCounter(&bareDone);
    int failures = 0;
    auto countFailure = [&failures](UINT, const std::string&) { return ++failures, true; };
    for (int plugin = 0; plugin < plugins; ++plugin)
        RenamePluginFile(folder, plugin + 4, Name("999_Plugin%04d.svp", plugin), plugin % 4 != 0, countFailure);
    ::QueryPerformanceCounter(&saveDone);

    double bare = Seconds(start, bareDone);
    double save = Seconds(bareDone, saveDone);
    std::printf("%d plug-ins: bare MoveFileA %.3f s, Save %.3f s (%d failures), ratio %.2f\n", plugins, bare, save,
                failures, save / bare);
    return failures == 0 ? 0 : 1;
}
