// The host link and Save's renames on real files, events and processes.
#include <gtest/gtest.h>
#include <windows.h>
#include <algorithm>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>
#include "host/CHostChannel.h"
#include "host/CHostWatcher.h"
#include "host/HostFacts.h"
#include "host/HostProcess.h"
#include "host/PluginRename.h"
#include "res/resource.h"
#include "tests/TempFolder.h"

namespace {
std::string Read(const TempFolder& folder, const std::string& relative)
{
    std::ifstream file(folder / relative, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

struct Failure {
    UINT messageId;
    std::string name;
};

// Answers every failure with goOn and notes it.
RenameFailure Recorder(std::vector<Failure>& failures, bool goOn)
{
    return [&failures, goOn](UINT id, const std::string& name) {
        failures.push_back({id, name});
        return goOn;
    };
}

// The host's side of the record: what a running player writes and signals.
class FakeHost {
public:
    FakeHost()
        : m_mapping(::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, host::kInfoSize,
                                         host::kInfoMapping)),
          m_record(static_cast<char*>(::MapViewOfFile(m_mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0))),
          m_event(::CreateEventA(nullptr, FALSE, FALSE, host::kInfoEvent))
    {
    }
    ~FakeHost()
    {
        ::CloseHandle(m_event);
        ::UnmapViewOfFile(m_record);
        ::CloseHandle(m_mapping);
    }
    // A name as long as the field or longer fills it without a terminator.
    void Show(const std::string& name)
    {
        size_t field = host::kInfoSize - host::kInfoVisNameOffset;
        std::memcpy(m_record + host::kInfoVisNameOffset, name.c_str(), std::min(name.size() + 1, field));
        ::SetEvent(m_event);
        ::Sleep(100);
    }
    char* Record() { return m_record; }

private:
    HANDLE m_mapping;
    char* m_record;
    HANDLE m_event;
};

// The names of the notices waiting in this thread's queue for window.
std::vector<std::string> TakeNotices(HWND window)
{
    std::vector<std::string> names;
    MSG msg;
    while (::PeekMessageA(&msg, window, WM_HOSTVISCHANGED, WM_HOSTVISCHANGED, PM_REMOVE))
        names.push_back(*TakeHostVisName(msg.lParam));
    return names;
}
}

TEST(PluginRename, TagsRenamesAndSwitchesFilesAndSubFolders)
{
    TempFolder vis;
    vis.WriteFile("012_Bars.svp", "bars");
    vis.WriteFile("007_Ice.svp_disabled", "ice");
    vis.MakeFolder("012_Pack");
    vis.WriteFile("012_Pack\\Pack.svp", "pack");
    std::vector<Failure> failures;
    std::string folder = vis.Path() + "\\";

    EXPECT_TRUE(RenamePluginFile(folder, 4, "012_Bars.svp", false, Recorder(failures, true)));
    EXPECT_TRUE(RenamePluginFile(folder, 5, "007_Ice.svp_disabled", true, Recorder(failures, true)));
    std::string packNow;
    EXPECT_TRUE(RenamePluginFile(folder, 6, "012_Pack\\Pack.svp", false, Recorder(failures, true), &packNow));

    EXPECT_TRUE(failures.empty());
    EXPECT_EQ(packNow, "006_Pack\\Pack.svp_disabled");
    EXPECT_EQ(Read(vis, "004_Bars.svp_disabled"), "bars");
    EXPECT_EQ(Read(vis, "005_Ice.svp"), "ice");
    EXPECT_EQ(Read(vis, "006_Pack\\Pack.svp_disabled"), "pack");
    EXPECT_FALSE(vis.Exists("012_Bars.svp"));
    EXPECT_FALSE(vis.Exists("012_Pack"));
}

TEST(PluginRename, ACollisionOrAMissingFileIsReportedAndNothingIsOverwritten)
{
    TempFolder vis;
    vis.WriteFile("Fire.svp", "first");
    vis.WriteFile("004_Fire.svp", "second");
    vis.WriteFile("Ice.svp_disabled", "ice");
    vis.WriteFile("005_Ice.svp", "other ice");
    std::vector<Failure> failures;
    std::string folder = vis.Path() + "\\";

    std::string fireNow, iceNow;
    EXPECT_TRUE(RenamePluginFile(folder, 4, "Fire.svp", true, Recorder(failures, true), &fireNow));
    EXPECT_FALSE(RenamePluginFile(folder, 5, "Ice.svp_disabled", true, Recorder(failures, false), &iceNow));
    EXPECT_EQ(fireNow, "Fire.svp");
    EXPECT_EQ(iceNow, "005_Ice.svp_disabled");
    EXPECT_TRUE(RenamePluginFile(folder, 6, "006_Gone.svp", true, Recorder(failures, true)));

    ASSERT_EQ(failures.size(), 3u);
    EXPECT_EQ(failures[0].messageId, static_cast<UINT>(IDS_TAG_FAILED));
    EXPECT_EQ(failures[0].name, "Fire.svp");
    EXPECT_EQ(failures[1].messageId, static_cast<UINT>(IDS_ENABLE_FAILED));
    EXPECT_EQ(failures[1].name, "005_Ice.svp");
    EXPECT_EQ(failures[2].messageId, static_cast<UINT>(IDS_TAG_FAILED));
    EXPECT_EQ(Read(vis, "Fire.svp"), "first");
    EXPECT_EQ(Read(vis, "004_Fire.svp"), "second");
    EXPECT_EQ(Read(vis, "005_Ice.svp_disabled"), "ice");
    EXPECT_EQ(Read(vis, "005_Ice.svp"), "other ice");
}

TEST(HostWatcher, PostsEachNewNonEmptyNameOnceAndStopsWhenAsked)
{
    HWND window = ::CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    FakeHost host;
    CHostChannel channel;
    ASSERT_TRUE(channel.Open());
    HANDLE stop = ::CreateEventA(nullptr, FALSE, FALSE, nullptr);
    ::SetEvent(stop);  // left pending by an earlier disconnect: must not end the new watcher
    CHostWatcher watcher;
    ASSERT_TRUE(watcher.Start(channel, stop, window));

    host.Show("Fire Storm");
    host.Show("Fire Storm");
    host.Show("");
    host.Show(std::string(600, 'n'));  // runs past the record's end: cut there
    host.Show("Ice Age");
    ::Sleep(300);
    EXPECT_EQ(TakeNotices(window), (std::vector<std::string>{"Fire Storm", std::string(517, 'n'), "Ice Age"}));

    std::memcpy(host.Record() + host::kInfoPositionOffset, "\xEE\x02\0\0", 4);
    DWORD position = 0;
    EXPECT_TRUE(channel.GetPlayPosition(&position));
    EXPECT_EQ(position, 750u);

    // Its owner may close the stop event first: the watcher keeps a handle of its own.
    ::CloseHandle(stop);
    DWORD start = ::GetTickCount();
    EXPECT_TRUE(watcher.Stop());
    EXPECT_LT(::GetTickCount() - start, host::kWatcherStopWaitMs);
    host.Show("After Stop");
    ::Sleep(200);
    EXPECT_TRUE(TakeNotices(window).empty());
    channel.Close();
    EXPECT_FALSE(channel.GetPlayPosition(&position));
    ::DestroyWindow(window);
}

// A host that never ends, and one whose window never comes, hold Save up
// only for the bounded waits.
TEST(HostProcess, QuitAndRestartGiveUpAfterTheirBounds)
{
    HWND ours = ::CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    TempFolder folder;
    std::string missingHost = folder / "Melodrift.exe";

    DWORD start = ::GetTickCount();
    EXPECT_EQ(QuitHost(ours, missingHost), HostQuit::StillRunning);
    DWORD quitWait = ::GetTickCount() - start;
    EXPECT_GE(quitWait, host::kExitWaitMs);
    EXPECT_LT(quitWait, host::kExitWaitMs + 3000);

    start = ::GetTickCount();
    RestartHost(missingHost, 750);
    DWORD restartWait = ::GetTickCount() - start;
    EXPECT_GE(restartWait, host::kWindowWaitMs);
    EXPECT_LT(restartWait, host::kWindowWaitMs + 3000);
    ::DestroyWindow(ours);
}
