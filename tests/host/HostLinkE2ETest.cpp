// Lamps, double-clicks and the host's own changes, with the real program,
// the stand-in player and real mouse input.
#include <fstream>
#include <set>
#include "tests/host/HostE2EFixture.h"

using namespace e2e;

namespace {
const char kFullStopDown[] = "keydown 0xBE 0x00340001";
const char kFullStopUp[] = "keyup 0xBE 0xC0340001";
const char kCommaDown[] = "keydown 0xBC 0x00330001";
const char kCommaUp[] = "keyup 0xBC 0xC0330001";

// Rows 4 to 9: enabled, enabled, disabled, enabled, enabled, enabled. The
// host loads the enabled ones only: Aurora 4, Borealis 5, Dusk 6, Ember 7, Flare 8.
const char kLayout[] = "named|A.svp|Aurora\nnamed|B.svp|Borealis\nnamed|C.svp_disabled|Comet\n"
                       "named|D.svp|Dusk\nnamed|E.svp|Ember\nnamed|F.svp|Flare\n";
}

TEST_F(HostE2E, LampsAndDoubleClicksStepTheRunningHost)
{
    Install(kLayout, "4");
    // A player that takes its time over each key names every visual it passes.
    std::ofstream(session->HostFolder() + "/Melodrift.keydelay") << "300";
    StartHost("", "visual 4 Aurora");
    StartProgram();
    EXPECT_EQ(CurrentRow(), 4) << "marked by the host's own name";

    session->Click(Lamp(5));
    EXPECT_EQ(Rows()[5].image, 1);
    EXPECT_EQ(Rows()[5].flags & kEnabledFlag, 0u);
    Pause(700);  // apart, or the second click would be a double-click
    session->Click(Lamp(5));
    session->Click(Label(5));
    session->Click(Lamp(2));
    session->Click(Lamp(4));
    std::vector<ListRow> rows = Rows();
    EXPECT_EQ(rows[5].image, 0);
    EXPECT_EQ(rows[5].flags & kEnabledFlag, kEnabledFlag);
    EXPECT_EQ(rows[2].image, 2) << "a built-in row never toggles";
    EXPECT_EQ(rows[4].image, 0) << "the current row never toggles";

    size_t logStart = session->HostLog().size();
    session->DoubleClick(Label(8));
    std::set<int> marked;
    for (int sample = 0; sample < 15; ++sample) {
        marked.insert(CurrentRow());
        Pause(100);
    }
    ASSERT_TRUE(session->WaitForHostLog("visual 7 Ember"));
    EXPECT_EQ(marked, std::set<int>{8}) << "the mark moves once, to the target, whatever the host passes";
    EXPECT_EQ(session->ReadHostValue("VisNumber").data, "7") << "the host's number: Comet was not loaded";
    EXPECT_EQ(HostLogCount(kFullStopDown, logStart), 3) << "one press each for positions 4, 5 and 7";
    EXPECT_EQ(HostLogCount(kFullStopUp, logStart), 3);

    logStart = session->HostLog().size();
    session->DoubleClick(Label(4));
    ASSERT_EQ(WaitForCurrent(4), 4);
    for (int wait = 0; wait < 40 && HostLogCount(kCommaUp, logStart) < 3; ++wait)
        Pause(100);  // the slow player is still at its keys
    EXPECT_EQ(HostLogCount(kCommaDown, logStart), 3) << "one press each for positions 8, 7 and 5";
    EXPECT_EQ(HostLogCount(kCommaUp, logStart), 3);

    // Flare (loaded at 9) moved to row 5: the host still numbers it 8, as the keys count.
    session->Click(Label(9));
    for (int step = 0; step < 4; ++step)
        session->Key("ctrl+Up");
    ASSERT_EQ(Rows()[5].text, "Flare");
    logStart = session->HostLog().size();
    session->DoubleClick(Label(5));
    ASSERT_TRUE(session->WaitForHostLog("visual 8 Flare"));
    EXPECT_EQ(WaitForCurrent(5), 5);
    EXPECT_EQ(session->ReadHostValue("VisNumber").data, "8");
    EXPECT_EQ(HostLogCount(kFullStopDown, logStart), 4) << "positions 4, 5, 7 and 8";

    // Alt held: marked and recorded, the host left alone.
    logStart = session->HostLog().size();
    session->KeyDown("alt");
    session->DoubleClick(Label(4));
    session->KeyUp("alt");
    EXPECT_EQ(WaitForCurrent(4), 4);
    EXPECT_EQ(session->ReadHostValue("VisNumber").data, "4");

    // The host repeats the name it showed last, then an empty one: no notice moves the mark.
    StartHost(" -signal Flare", "command -signal Flare position 0");
    StartHost(" -signal", "command -signal position 0");
    Pause(1500);
    EXPECT_EQ(CurrentRow(), 4);
    EXPECT_EQ(session->HostLog().size(), logStart + 4) << "no key was sent meanwhile";

    // The host's user picks another visual: the mark follows.
    StartHost(" -select 7", "visual 7 Ember");
    EXPECT_EQ(WaitForCurrent(9), 9) << "Ember, now in row 9";

    // Comet is disabled on disk, Dusk switched off now: neither can be made current.
    session->Click(Lamp(8));
    ASSERT_EQ(Rows()[8].text, "Dusk");
    ASSERT_EQ(Rows()[8].image, 1);
    for (int row : {7, 8}) {
        session->DoubleClick(Label(row));
        Pause(800);
        EXPECT_EQ(CurrentRow(), 9) << "row " << row;
    }
    EXPECT_EQ(session->ReadHostValue("VisNumber").data, "4");

    // A double-click on Dusk's lamp: its first click switches Dusk on again,
    // and the double-click then finds it on and makes it current.
    session->DoubleClick(Lamp(8));
    EXPECT_EQ(WaitForCurrent(8), 8);
    EXPECT_EQ(Rows()[8].image, 0) << "switched once, by the first click";
}

TEST_F(HostE2E, AHostStartedLaterIsFoundAndOneClosedIsLetGo)
{
    Install("named|A.svp|Aurora\nnamed|B.svp_disabled|Borealis\nnamed|C.svp|Comet\n", "5");
    StartProgram();
    EXPECT_EQ(CurrentRow(), 6) << "the host's fifth visual, marked by \"VisNumber\" without a host";

    StartHost(" -select 4", "visual 4 Aurora");
    EXPECT_EQ(WaitForCurrent(4, 4000), 4) << "found by the poll, marked by the host's notice";

    StartHost(" -quit", "exit");
    Pause(2500);
    // Let go: Save no longer offers the restart and closes the window.
    ClickSave();
    EXPECT_TRUE(session->WaitForProgramExit(30000)) << "a question kept the window open";
}
