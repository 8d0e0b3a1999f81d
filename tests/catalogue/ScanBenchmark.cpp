// Benchmark, not a test: starts the real program on a Vis folder of many
// plug-ins and reports, with their goals, two ratios measured in this one run:
// - every name cached: the time until the main window is shown, against the
//   same start without plug-ins (goal: at most 1.25);
// - no name cached: that time against loading, querying and releasing the
//   same plug-ins alone (catalogue_query_alone.exe, started the same way and
//   timed until its box is shown; goal: at most 1.2).
// - every name cached, 50 more plug-ins that cannot be loaded (five
//   causes, ten each): the time until the warning naming them is shown,
//   against the same start without plug-ins (goal: at most 1.25).
// The two sides of each ratio take turns, in rounds, and each side's best
// round counts: other work on a shared machine only ever adds time, and
// taking turns spreads it over both sides. A first pass over the plug-ins
// brings their files into memory before any of it.
// Usage: catalogue_scan_benchmark [PLUGINS [EXECUTABLE]], EXECUTABLE being
// another build of Orbiquel.exe to measure (an older one, say).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>
#include "host/HostFacts.h"
#include "testing/harness/DesktopSession.h"
#include "testing/harness/HarnessPaths.h"
#include "tests/BenchmarkRatio.h"
#include "tests/catalogue/VisLayout.h"

using namespace e2e;
namespace fs = std::filesystem;

namespace {
constexpr int kCancelButton = 1001;
constexpr int kQuickRounds = 5;
constexpr int kLongRounds = 3;
constexpr int kLongTimeoutMs = 900000;

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

double Seconds(const std::function<void()>& work)
{
    auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::string g_program;  // empty: this build's
std::string g_hostPath;

// The host's folder is a registry value of the Wine prefix, which end-to-end
// tests running meanwhile point at folders of their own: each measurement
// puts it back first and makes sure it stayed.
void ClaimHostKey(DesktopSession& session)
{
    session.WriteHostValue(host::kPathValue, g_hostPath);
}

void CheckHostKey(DesktopSession& session)
{
    if (session.ReadHostValue(host::kPathValue).data != g_hostPath)
        throw std::runtime_error("another Wine session moved the host's folder during a measurement; run the "
                                 "benchmark again while no other Wine tests run");
}

// Starts the program, waits for its window, closes it; the seconds to the window.
double TimeProgramStart(DesktopSession& session, const char* label)
{
    WindowInfo main;
    ClaimHostKey(session);
    double seconds = Seconds([&] {
        session.StartProgram(g_program);
        main = session.WaitForMainWindow(kLongTimeoutMs);
    });
    CheckHostKey(session);
    std::printf("  %-36s window shown after %7.2f s   peak working set %6.1f MB\n", label, seconds,
                static_cast<double>(session.Program().peakWorkingSet) / (1024.0 * 1024.0));
    std::fflush(stdout);
    session.Click(session.Control(main.handle, kCancelButton).window.Center());
    if (!session.WaitForProgramExit(60000))
        std::printf("  (the program did not end after Cancel)\n");
    return seconds;
}

// With plug-ins that cannot be loaded: the seconds to the warning that names
// them, which comes once the scan is done and before the window shows.
double TimeStartWithFailures(DesktopSession& session, const char* label)
{
    std::optional<DialogInfo> box;
    ClaimHostKey(session);
    double seconds = Seconds([&] {
        session.StartProgram(g_program);
        box = session.WaitForDialog("Orbiquel", kLongTimeoutMs);
    });
    if (!box)
        throw std::runtime_error("no warning for the plug-ins that cannot be loaded");
    CheckHostKey(session);
    std::printf("  %-36s warning shown after %6.2f s\n", label, seconds);
    std::fflush(stdout);
    session.Click(box->Button("OK").window.Center());
    WindowInfo main = session.WaitForMainWindow(kLongTimeoutMs);
    session.Click(session.Control(main.handle, kCancelButton).window.Center());
    session.WaitForProgramExit(60000);
    return seconds;
}

void LayOutFailingPlugins(const std::string& visFolder)
{
    std::string layout;
    for (const char* kind : {"x64", "needslibrary", "noexport", "crashquery", "notlibrary"})
        for (int i = 0; i < 10; ++i)
            layout += std::string(kind) + "|Failing_" + kind + std::to_string(i) + ".svp\n";
    LayOutVisFolder(visFolder, layout);
}

double Best(const std::vector<double>& times)
{
    return *std::min_element(times.begin(), times.end());
}

// Without plug-ins: the Vis folder is put aside for the start and then back.
double TimeStartWithoutPlugins(DesktopSession& session)
{
    fs::rename(session.VisFolder(), session.VisFolder() + ".aside");
    fs::create_directory(session.VisFolder());
    double seconds = TimeProgramStart(session, "no plug-ins");
    fs::remove(session.VisFolder());
    fs::rename(session.VisFolder() + ".aside", session.VisFolder());
    return seconds;
}

// Starts the yardstick in the program's place, waits for its box, closes it.
double TimeQueryAlone(DesktopSession& session, const char* label, int count)
{
    std::optional<DialogInfo> box;
    ClaimHostKey(session);
    double seconds = Seconds([&] {
        session.StartProgram(Win32BuildDir() + "/tests/catalogue/catalogue_query_alone.exe");
        box = session.WaitForDialog("Query alone", kLongTimeoutMs);
    });
    if (!box)
        throw std::runtime_error("catalogue_query_alone.exe showed no box");
    CheckHostKey(session);
    if (box->Message() != std::to_string(count) + " plug-ins asked")
        throw std::runtime_error("catalogue_query_alone.exe did not ask every plug-in: " + box->Message());
    std::printf("  %-36s box shown after    %7.2f s   (%s)\n", label, seconds, box->Message().c_str());
    std::fflush(stdout);
    session.Click(box->Button("OK").window.Center());
    session.WaitForProgramExit(60000);
    return seconds;
}

void Measure(int count)
{
    DesktopSession session;
    session.InstallHost();
    g_hostPath = session.ReadHostValue(host::kPathValue).data;
    std::string settings = session.ProgramFolder() + "/orbiquel.ini";
    LayOutNamedPlugins(session.VisFolder(), count);
    std::printf("%d plug-ins\n", count);
    TimeQueryAlone(session, "query alone, files not yet in memory", count);

    std::vector<double> alone, uncached;
    for (int round = 0; round < kLongRounds; ++round) {
        alone.push_back(TimeQueryAlone(session, "query alone", count));
        fs::remove(settings);
        uncached.push_back(TimeProgramStart(session, "empty cache"));
    }
    std::printf("  settings file written: %ju bytes\n", static_cast<uintmax_t>(fs::file_size(settings)));
    std::vector<double> empty, cached;
    for (int round = 0; round < kQuickRounds; ++round) {
        empty.push_back(TimeStartWithoutPlugins(session));
        cached.push_back(TimeProgramStart(session, "all cached"));
    }

    LayOutFailingPlugins(session.VisFolder());
    std::vector<double> emptyAgain, failing;
    for (int round = 0; round < kQuickRounds; ++round) {
        emptyAgain.push_back(TimeStartWithoutPlugins(session));
        failing.push_back(TimeStartWithFailures(session, "all cached, 50 failing"));
    }

    std::printf("best rounds: no plug-ins %.2f s, all cached %.2f s, query alone %.2f s, empty cache %.2f s\n",
                Best(empty), Best(cached), Best(alone), Best(uncached));
    std::printf("             no plug-ins %.2f s, all cached and 50 failing %.2f s\n", Best(emptyAgain),
                Best(failing));
    PrintRatio("scan: all cached / no plug-ins", Best(cached) / Best(empty), 1.25);
    PrintRatio("scan: empty cache / query alone", Best(uncached) / Best(alone), 1.2);
    PrintRatio("scan: all cached, 50 failing / no plug-ins", Best(failing) / Best(emptyAgain), 1.25);
    std::printf("per plug-in: uncached working %.1f ms, failing %.1f ms\n",
                (Best(uncached) - Best(cached)) * 1000.0 / count, (Best(failing) - Best(cached)) * 1000.0 / 50);
}
}

int main(int argc, char** argv)
{
    g_program = argc > 2 ? argv[2] : "";
    try {
        Measure(argc > 1 ? std::atoi(argv[1]) : 2000);
    } catch (const std::exception& error) {
        std::printf("benchmark stopped: %s\n", error.what());
        return 1;
    }
    return 0;
}
