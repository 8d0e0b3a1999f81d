// Benchmark, not a test: starts the real program on a Vis folder of many
// plug-ins, once with an empty name cache and once with every name cached,
// and reports the time until the main window is shown and the process's
// peak memory. Usage: catalogue_scan_benchmark [PLUGINS]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include "testing/harness/DesktopSession.h"
#include "testing/harness/HarnessPaths.h"

using namespace e2e;
namespace fs = std::filesystem;

namespace {
constexpr int kCancelButton = 1001;

void LayOutNamedPlugins(const std::string& visFolder, int count)
{
    std::string library = Win32BuildDir() + "/testing/plugins/standin_named.dll";
    for (int i = 1; i <= count; ++i) {
        char tag[8], title[32];
        std::snprintf(tag, sizeof tag, "%03d_", i % 1000);
        std::snprintf(title, sizeof title, "Plugin%04d", i);
        fs::copy_file(library, visFolder + "/" + tag + title + ".svp", fs::copy_options::overwrite_existing);
        std::ofstream(visFolder + "/" + title + ".name") << "Benchmark Visual " << i;
    }
}

// Starts the program, waits for its window, closes it; prints one line.
void MeasureStart(DesktopSession& session, const char* label)
{
    auto start = std::chrono::steady_clock::now();
    session.StartProgram();
    WindowInfo main = session.WaitForMainWindow(900000);
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    ProcessInfo process = session.Program();
    std::printf("%-28s window shown after %7.2f s   peak working set %6.1f MB\n", label, seconds,
                static_cast<double>(process.peakWorkingSet) / (1024.0 * 1024.0));
    std::fflush(stdout);
    session.Click(session.Control(main.handle, kCancelButton).window.Center());
    if (!session.WaitForProgramExit(60000))
        std::printf("  (the program did not end after Cancel)\n");
}
}

int main(int argc, char** argv)
{
    int count = argc > 1 ? std::atoi(argv[1]) : 2000;
    DesktopSession session;
    session.InstallHost();
    std::string settings = session.ProgramFolder() + "/orbiquel.ini";

    MeasureStart(session, "no plug-ins");
    LayOutNamedPlugins(session.VisFolder(), count);
    fs::remove(settings);
    MeasureStart(session, (std::to_string(count) + " plug-ins, empty cache").c_str());
    MeasureStart(session, (std::to_string(count) + " plug-ins, all cached").c_str());
    std::printf("settings file: %ju bytes\n", static_cast<uintmax_t>(fs::file_size(settings)));
    return 0;
}
