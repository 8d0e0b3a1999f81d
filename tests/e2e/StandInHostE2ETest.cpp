// The stand-in Melodrift player that the host tests talk to: what it loads,
// which visual it starts on, and that a second start hands its switch over.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "testing/harness/DesktopSession.h"
#include "tests/catalogue/VisLayout.h"

using namespace e2e;

TEST(StandInHostE2E, LoadsPluginsInNameOrderStartsOnTheRememberedVisualAndTakesSwitchesFromLaterStarts)
{
    DesktopSession session;
    session.InstallHost();
    LayOutVisFolder(session.VisFolder(),
                    "named|012_Fire.svp|Fire Storm\n"
                    "named|Deep/deep.svp|Deep Sea\n"
                    "named|Ice.svp_disabled|Ice Age\n");
    session.WriteHostValue("VisNumber", "4");

    session.StartHost();
    ASSERT_TRUE(session.WaitForHostLog("visual 4 Fire Storm"));
    ASSERT_TRUE(session.WaitForWindow("Melodrift", "Melodrift Window Class"));
    session.StartHost(" -select 5");
    ASSERT_TRUE(session.WaitForHostLog("visual 5 Deep Sea"));
    session.StartHost(" -quit");
    EXPECT_TRUE(session.WaitForHostLog("exit"));
    EXPECT_EQ(session.ReadHostValue("VisNumber").data, "5") << "stored when it ends";

    EXPECT_EQ(session.HostLog(),
              (std::vector<std::string>{"start", "loaded 0 Waveform 1.1", "loaded 1 Spectrum 1.0",
                                        "loaded 2 Spectrum 2.0", "loaded 3 VU Sweep 1.1", "loaded 4 Fire Storm",
                                        "loaded 5 Deep Sea", "visual 4 Fire Storm", "start -select 5",
                                        "command -select 5 position 0", "visual 5 Deep Sea", "start -quit",
                                        "command -quit position 0", "exit"}));
}
