// Save's renames beside bare renames on the same folder, in one run:
//   wine host_save_benchmark.exe [PLUGINS]
// Five rounds, each on a fresh folder: lays out PLUGINS files (default 2000),
// renames each once with MoveFileA (the bare cost), then saves them as
// plug-in rows: every one gets a new tag and every fourth is switched off.
#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>
#include "host/PluginRename.h"
#include "tests/TempFolder.h"

namespace {
const int kRounds = 5;

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


struct Round {
    double bare;
    double save;
};

Round MeasureRound(int plugins)
{
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
    if (failures)
        std::printf("%d renames failed\n", failures);
    return {Seconds(start, bareDone), Seconds(bareDone, saveDone)};
}
}

int main(int argc, char** argv)
{
    int plugins = argc > 1 ? std::atoi(argv[1]) : 2000;
    std::vector<double> ratios;
    for (int round = 1; round <= kRounds; ++round) {
        Round measured = MeasureRound(plugins);
        ratios.push_back(measured.save / measured.bare);
        std::printf("%d plug-ins: bare MoveFileA %.3f s, Save %.3f s, ratio %.2f\n", plugins, measured.bare,
                    measured.save, ratios.back());
    }
    std::sort(ratios.begin(), ratios.end());
    std::printf("median ratio %.2f\n", ratios[ratios.size() / 2]);
    return 0;
}
