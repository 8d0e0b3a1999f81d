// The host link and Save's renames on real files, events and processes.
#include <gtest/gtest.h>
#include <windows.h>
#include <algorithm>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>
#include "host/CHostChannel.h"
#include "host/CHostWatcher.h"
#include "host/HostFacts.h"
#include "host/HostProcess.h"
#include "framework/ResString.h"
#include "host/CSaveFlow.h"
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

struct Asked {
    std::string text;
    UINT type;
};

// Notes every message and answers it with the next of answers (OK once they run out).
CSaveFlow::Ask Recorder(std::vector<Asked>& asked, std::vector<int> answers = {})
{
    return [&asked, answers](const std::string& text, UINT type) {
        asked.push_back({text, type});
        return asked.size() <= answers.size() ? answers[asked.size() - 1] : IDOK;
    };
}

// A Save flow on vis whose journal lies in settings, for a host that is not there.
struct SaveSetup {
    TempFolder vis;
    TempFolder settings;
    std::string Journal() const { return settings / "orbiquel-last-save.txt"; }
    CSaveFlow Flow(const CSaveFlow::Ask& ask) const
    {
        return CSaveFlow(vis.Path() + "\\", settings / "Melodrift.exe", Journal(), ask);
    }
    JournalFile File() const { return JournalFile(Journal(), vis.Path() + "\\"); }
};

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

TEST(SaveFlow, RenamesEveryRowAsksAtEachFailureAndOverwritesNothing)
{
    SaveSetup setup;
    const TempFolder& vis = setup.vis;
    vis.WriteFile("012_Bars.svp", "bars");
    vis.WriteFile("007_Ice.svp_disabled", "ice");
    vis.WriteFile("005_Ice.svp", "other ice");
    vis.MakeFolder("012_Pack");
    vis.WriteFile("012_Pack\\Pack.svp", "pack");
    vis.WriteFile("Fire.svp", "first");
    vis.WriteFile("007_Fire.svp", "second");
    std::vector<Asked> asked;
    EXPECT_TRUE(setup.Flow(Recorder(asked))
                    .Save({{"012_Bars.svp", false},
                           {"007_Ice.svp_disabled", true},
                           {"012_Pack\\Pack.svp", false},
                           {"Fire.svp", true},
                           {"008_Gone.svp", true}},
                          kNoVisual, kNoVisual, {}));

    ASSERT_EQ(asked.size(), 3u);
    EXPECT_EQ(asked[0].text, FormatResString1(IDS_ENABLE_FAILED, "005_Ice.svp"));
    EXPECT_EQ(asked[0].type, static_cast<UINT>(MB_ICONEXCLAMATION | MB_OKCANCEL));
    EXPECT_EQ(asked[1].text, FormatResString1(IDS_TAG_FAILED, "Fire.svp"));
    EXPECT_EQ(asked[2].text, FormatResString1(IDS_TAG_FAILED, "008_Gone.svp")) << "a file gone fails its tag";
    EXPECT_EQ(Read(vis, "004_Bars.svp_disabled"), "bars");
    EXPECT_EQ(Read(vis, "005_Ice.svp_disabled"), "ice");
    EXPECT_EQ(Read(vis, "005_Ice.svp"), "other ice");
    EXPECT_EQ(Read(vis, "006_Pack\\Pack.svp_disabled"), "pack");
    EXPECT_EQ(Read(vis, "Fire.svp"), "first");
    EXPECT_EQ(Read(vis, "007_Fire.svp"), "second");
    EXPECT_TRUE(setup.Flow(Recorder(asked)).CanUndo());
}

// "Save anyway?" without a journal: the journal of the Save before must
// not stay, or Undo would give that one back over this one.
TEST(SaveFlow, ASaveWithoutItsJournalLeavesNoOlderSaveToUndo)
{
    SaveSetup setup;
    setup.vis.WriteFile("A.svp", "a");
    setup.vis.WriteFile("B.svp", "b");
    std::vector<Asked> asked;
    ASSERT_TRUE(setup.Flow(Recorder(asked)).Save({{"A.svp", true}}, kNoVisual, kNoVisual, {}));
    ASSERT_TRUE(setup.Flow(Recorder(asked)).CanUndo());
    ::SetFileAttributesA(setup.Journal().c_str(), FILE_ATTRIBUTE_READONLY);

    EXPECT_TRUE(
        setup.Flow(Recorder(asked, {IDYES})).Save({{"B.svp", true}, {"004_A.svp", true}}, kNoVisual, kNoVisual, {}));
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text, LoadResString(IDS_NO_JOURNAL));
    EXPECT_TRUE(setup.vis.Exists("004_B.svp") && setup.vis.Exists("005_A.svp"));
    EXPECT_FALSE(setup.Flow(Recorder(asked)).CanUndo());
}

// A Save that ran to its end but could not mark its journal so is not
// offered to be put back at the next start.
TEST(SaveFlow, ASaveThatRanToItsEndIsNeverOfferedForPuttingBack)
{
    SaveSetup setup;
    setup.vis.WriteFile("Fire.svp", "first");
    setup.vis.WriteFile("004_Fire.svp", "second");
    setup.vis.WriteFile("Ice.svp", "ice");
    std::vector<Asked> asked;
    std::string journal = setup.Journal();
    auto lockJournal = [&asked, &journal](const std::string& text, UINT type) {
        asked.push_back({text, type});
        ::SetFileAttributesA(journal.c_str(), FILE_ATTRIBUTE_READONLY);
        return IDOK;
    };
    EXPECT_TRUE(setup.Flow(lockJournal).Save({{"Fire.svp", true}, {"Ice.svp", true}}, kNoVisual, kNoVisual, {}));
    EXPECT_EQ(asked.size(), 1u);
    asked.clear();
    setup.Flow(Recorder(asked)).RecoverInterruptedSave({});
    EXPECT_TRUE(asked.empty());
    EXPECT_TRUE(setup.vis.Exists("005_Ice.svp"));

    // A journal left open though every rename was made: closed without a question.
    ASSERT_TRUE(setup.Flow(Recorder(asked)).Save({{"005_Ice.svp", true}}, kNoVisual, kNoVisual, {}));
    SaveJournal open;
    ASSERT_EQ(setup.File().Read(open), JournalFault::None);
    open.state = JournalState::Open;
    ASSERT_TRUE(setup.File().Write(open));
    setup.Flow(Recorder(asked)).RecoverInterruptedSave({});
    EXPECT_TRUE(asked.empty());
    EXPECT_TRUE(setup.vis.Exists("004_Ice.svp"));
    EXPECT_TRUE(setup.Flow(Recorder(asked)).CanUndo());
}

TEST(SaveFlow, AJournalThatCannotBeReadIsReportedOnlyWhenItNeedsAnAnswer)
{
    SaveSetup setup;
    std::vector<Asked> asked;
    setup.settings.WriteFile("orbiquel-last-save.txt", "Orbiquel Save journal 2\r\nState: finished\r\n");
    setup.Flow(Recorder(asked)).RecoverInterruptedSave({});
    EXPECT_TRUE(asked.empty()) << "a damaged journal of a Save that ended asks nothing at start";

    setup.settings.WriteFile("orbiquel-last-save.txt", "Orbiquel Save journal 2\r\nState: open\r\n");
    setup.Flow(Recorder(asked)).RecoverInterruptedSave({});
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_NE(asked[0].text.find(LoadResString(IDS_JOURNAL_MALFORMED)), std::string::npos);

    setup.vis.WriteFile("A.svp", "a");
    ASSERT_TRUE(setup.Flow(Recorder(asked, {IDYES})).Save({{"A.svp", true}}, kNoVisual, kNoVisual, {}));
    HANDLE held = ::CreateFileA(setup.Journal().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    asked.clear();
    EXPECT_FALSE(setup.Flow(Recorder(asked)).UndoLastSave({}));
    ::CloseHandle(held);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_NE(asked[0].text.find(LoadResString(IDS_JOURNAL_HELD)), std::string::npos) << asked[0].text;
    EXPECT_TRUE(setup.vis.Exists("004_A.svp"));
}

// At start-up with Melodrift running, a Save cut short is finished or put
// back only around the host's quit and restart, never under it.
TEST(SaveFlow, RecoveryRenamesNothingWhileTheHostRuns)
{
    SaveSetup setup;
    setup.vis.WriteFile("X.svp", "x");
    setup.vis.WriteFile("Y.svp", "y");
    SaveJournal journal;
    journal.visFolder = setup.vis.Path() + "\\";
    journal.currentRow = kNoVisual;
    journal.renames = {{"X.svp", "004_X.svp", "", 0, false}, {"Y.svp", "005_Y.svp", "", 1, false}};
    ASSERT_TRUE(setup.File().Write(journal));
    int letGo = 0;
    CSaveFlow::RunningHost host{true, [&letGo] { return ++letGo, DWORD(0); }};
    std::vector<Asked> asked;

    setup.Flow(Recorder(asked, {IDYES, IDNO})).RecoverInterruptedSave(host);
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[1].text, LoadResString(IDS_RESTART_HOST));
    EXPECT_EQ(letGo, 0);
    EXPECT_TRUE(setup.vis.Exists("X.svp") && setup.vis.Exists("Y.svp"));
    EXPECT_FALSE(setup.Flow(Recorder(asked)).CanUndo()) << "still open";

    asked.clear();
    setup.Flow(Recorder(asked, {IDYES, IDYES})).RecoverInterruptedSave(host);
    EXPECT_EQ(asked.size(), 2u);
    EXPECT_EQ(letGo, 1);
    EXPECT_TRUE(setup.vis.Exists("004_X.svp") && setup.vis.Exists("005_Y.svp"));
    EXPECT_TRUE(setup.Flow(Recorder(asked)).CanUndo());
}

// The journal's stamps are read through the names the system holds: a file
// whose name the code page cannot hold lends no stamp to its look-alike.
TEST(JournalFile, StampsComeFromTheRealNamesOnly)
{
    SaveSetup setup;
    setup.vis.WriteFile("Cafe.svp", "1234");
    setup.vis.WriteFile(std::wstring(L"Caf\u0117.svp"));
    std::map<std::string, std::string> stamps = setup.File().StampFolder();
    EXPECT_EQ(stamps.size(), 1u);
    ASSERT_TRUE(stamps.count("Cafe.svp"));
    EXPECT_EQ(stamps["Cafe.svp"].substr(0, 9), "000000004");
    EXPECT_EQ(setup.File().LookUpOnDisk()("Cafe.svp"), stamps["Cafe.svp"]);
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
