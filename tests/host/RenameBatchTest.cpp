#include <gtest/gtest.h>
#include "host/RenameBatch.h"
#include "tests/host/FakeVisFolder.h"

namespace {
using Found = std::vector<RenameFound>;
constexpr RenameFound kMade = RenameFound::Made;
constexpr RenameFound kNotMade = RenameFound::NotMade;
constexpr RenameFound kLost = RenameFound::Lost;

// Two plug-ins swapping their tags: X, once 005_X.svp, goes first to 004_;
// the other X.svp takes the 005_ it left.
const std::vector<JournalRename> kSwap = {{"005_X.svp", "004_X.svp", "s1", 0, false},
                                          {"X.svp", "005_X.svp", "s2", 1, false}};

// A plug-in tagged and switched off, then one tagged only.
const std::vector<JournalRename> kTwoSteps = {{"Bars.svp", "004_Bars.svp", "b", 0, false},
                                              {"004_Bars.svp", "004_Bars.svp_disabled", "b", 0, true},
                                              {"Ice.svp", "005_Ice.svp", "i", 1, false}};
}

// The Save was made whole, then the first plug-in's file was deleted in
// Explorer: its step is lost. Finishing must not move the other plug-in's
// file, now at the name the lost step starts from, into the deleted one's.
TEST(RenameBatch, FinishingSkipsAndNamesALostStepAndNeverTriesIt)
{
    FakeVisFolder disk;
    disk.names = {{"005_X.svp", "s2"}};
    Found found = FindRenamesMade(kSwap, disk.LookUp());
    ASSERT_EQ(found, (Found{kLost, kMade}));
    BatchResult result = RunRenameBatch(kSwap, found, BatchWay::Forward, disk.Mover());
    EXPECT_TRUE(disk.tried.empty());
    EXPECT_EQ(disk.names, (std::map<std::string, std::string>{{"005_X.svp", "s2"}}));
    EXPECT_EQ(result.notMade, (std::vector<std::string>{"005_X.svp"}));

    // Back, the same step is named and the made one given back.
    result = RunRenameBatch(kSwap, found, BatchWay::Back, disk.Mover());
    EXPECT_EQ(disk.tried, (std::vector<std::string>{"005_X.svp>X.svp"}));
    EXPECT_EQ(result.notMade, (std::vector<std::string>{"004_X.svp"}));
    EXPECT_EQ(result.found, (Found{kLost, kNotMade}));
}

TEST(RenameBatch, APluginsStateStepRunsOnlyWhenItsTagStepRan)
{
    FakeVisFolder disk;
    disk.names = {{"Bars.svp", "b"}, {"004_Bars.svp", "taken"}, {"Ice.svp", "i"}};
    BatchResult forward = RunRenameBatch(kTwoSteps, Found(3, kNotMade), BatchWay::Forward, disk.Mover());
    EXPECT_EQ(disk.tried, (std::vector<std::string>{"Bars.svp>004_Bars.svp", "Ice.svp>005_Ice.svp"}))
        << "the state step would have switched off the file that holds the name";
    EXPECT_EQ(forward.notMade, (std::vector<std::string>{"Bars.svp"}));
    EXPECT_EQ(forward.found, (Found{kNotMade, kNotMade, kMade}));

    // Back, the tag waits for the state: a file that keeps "_disabled" keeps its tag too.
    disk.names = {{"004_Bars.svp_disabled", "b"}, {"005_Ice.svp", "i"}};
    disk.failing = {"004_Bars.svp_disabled"};
    disk.tried.clear();
    BatchResult back = RunRenameBatch(kTwoSteps, Found(3, kMade), BatchWay::Back, disk.Mover());
    EXPECT_EQ(disk.tried, (std::vector<std::string>{"005_Ice.svp>Ice.svp", "004_Bars.svp_disabled>004_Bars.svp"}));
    EXPECT_EQ(back.notMade, (std::vector<std::string>{"004_Bars.svp_disabled"}));
}

TEST(RenameBatch, SavesAskingAtEachStepNotMadeAndStopsWhenTold)
{
    FakeVisFolder disk;
    disk.names = {{"Bars.svp", "b"}, {"004_Bars.svp_disabled", "taken"}, {"Ice.svp", "i"}};
    std::vector<std::string> asked;
    auto stopAtFirst = [&asked](const JournalRename& step, const std::string& name) {
        asked.push_back((step.stateStep ? "state " : "tag ") + name);
        return false;
    };
    BatchResult result = RunRenameBatch(kTwoSteps, Found(3, kNotMade), BatchWay::Forward, disk.Mover(), stopAtFirst);
    EXPECT_EQ(asked, (std::vector<std::string>{"state 004_Bars.svp_disabled"}));
    EXPECT_TRUE(result.stopped);
    EXPECT_EQ(result.found, (Found{kMade, kNotMade, kNotMade}));
    EXPECT_TRUE(disk.names.count("Ice.svp")) << "nothing after the stop";
}

TEST(RenameBatch, ThePluginsNameNowFollowsItsStepsThatStand)
{
    const std::vector<JournalRename> pack = {{"012_Pack", "006_Pack", "", 2, false},
                                             {"006_Pack\\P.svp", "006_Pack\\P.svp_disabled", "", 2, true},
                                             {"A.svp", "007_A.svp", "", 3, false}};
    struct Case {
        Found found;
        int plugin;
        std::string file;
        std::string now;
    } cases[] = {
        {{kMade, kMade, kMade}, 2, "012_Pack\\P.svp", "006_Pack\\P.svp_disabled"},
        {{kMade, kNotMade, kMade}, 2, "012_Pack\\P.svp", "006_Pack\\P.svp"},
        {{kNotMade, kNotMade, kMade}, 2, "012_Pack\\P.svp", "012_Pack\\P.svp"},
        {{kLost, kLost, kMade}, 2, "012_Pack\\P.svp", "012_Pack\\P.svp"},
        {{kMade, kMade, kMade}, 3, "A.svp", "007_A.svp"},
        {{kMade, kMade, kNotMade}, 3, "A.svp", "A.svp"},
        {{kMade, kMade, kMade}, 9, "Other.svp", "Other.svp"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PluginNameNow(c.file, c.plugin, pack, c.found), c.now) << c.plugin << " " << c.now;
}
