// Save and its undo beside bare renames on the same folder, in one run:
//   wine host_save_benchmark.exe [PLUGINS]
// Five rounds, each on a fresh folder: lays out PLUGINS files (default 2000),
// renames each once with MoveFileA (the bare cost), then saves them as
// plug-in rows, journal and all: every one gets a new tag and every fourth
// is switched off. Then undoes that Save.
#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>
#include "host/CSaveFlow.h"
#include "tests/BenchmarkRatio.h"
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
    double undo;
};

Round MeasureRound(int plugins)
{
    TempFolder vis;
    std::string folder = vis.Path() + "\\";
    std::vector<SaveRow> rows;
    for (int plugin = 0; plugin < plugins; ++plugin) {
        vis.WriteFile(Name("Plugin%04d.svp", plugin), "plug-in");
        rows.push_back({Name("999_Plugin%04d.svp", plugin), plugin % 4 != 0});
    }
    TempFolder settings;
    int failures = 0;
    auto countFailure = [&failures](const std::string&, UINT) { return ++failures, IDOK; };
    CSaveFlow flow(folder, "", settings.Path() + "\\orbiquel-last-save.txt", countFailure);

    LARGE_INTEGER start, bareDone, saveDone, undoDone;
    ::QueryPerformanceCounter(&start);
    for (int plugin = 0; plugin < plugins; ++plugin)
        ::MoveFileA((folder + Name("Plugin%04d.svp", plugin)).c_str(),
                    (folder + Name("999_Plugin%04d.svp", plugin)).c_str());
    ::QueryPerformanceCounter(&bareDone);
    flow.Save(rows, kNoVisual, kNoVisual, {});
    ::QueryPerformanceCounter(&saveDone);
    flow.UndoLastSave({});
    ::QueryPerformanceCounter(&undoDone);
    if (failures)
        std::printf("%d messages\n", failures);
    return {Seconds(start, bareDone), Seconds(bareDone, saveDone), Seconds(saveDone, undoDone)};
}
}

int main(int argc, char** argv)
{
    int plugins = argc > 1 ? std::atoi(argv[1]) : 2000;
    std::vector<double> saveRatios, undoRatios;
    for (int round = 1; round <= kRounds; ++round) {
        Round measured = MeasureRound(plugins);
        saveRatios.push_back(measured.save / measured.bare);
        undoRatios.push_back(measured.undo / measured.bare);
        std::printf("%d plug-ins: bare MoveFileA %.3f s, Save %.3f s (ratio %.2f), Undo %.3f s (ratio %.2f)\n",
                    plugins, measured.bare, measured.save, saveRatios.back(), measured.undo, undoRatios.back());
    }
    std::sort(saveRatios.begin(), saveRatios.end());
    std::sort(undoRatios.begin(), undoRatios.end());
    PrintRatio("Save / bare renames, median", saveRatios[saveRatios.size() / 2], 1.35);
    PrintRatio("Undo / bare renames, median", undoRatios[undoRatios.size() / 2], 1.4);
    return 0;
}
