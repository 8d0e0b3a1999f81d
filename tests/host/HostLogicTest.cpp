#include <gtest/gtest.h>
#include <cstring>
#include <map>
#include <string>
#include <vector>
#include "host/HostFacts.h"
#include "host/HostNumbering.h"
#include "host/HostRecord.h"
#include "host/KeySteps.h"
#include "host/RenamePlan.h"
#include "tests/Cp932.h"

using namespace cp932;

TEST(RenamePlan, ChangesTheStateOnlyWhenDiskAndWishDiffer)
{
    RenamePlan enable = PlanRename(5, "007_Bars.svp_disabled", true);
    EXPECT_EQ(enable.tagSource, "007_Bars.svp_disabled");
    EXPECT_EQ(enable.tagTarget, "005_Bars.svp_disabled");
    EXPECT_TRUE(enable.changesState);
    EXPECT_EQ(enable.stateTarget, "005_Bars.svp");

    RenamePlan disable = PlanRename(4, "004_Bars.svp", false);
    EXPECT_EQ(disable.tagTarget, disable.tagSource);
    EXPECT_EQ(disable.stateTarget, "004_Bars.svp_disabled");

    EXPECT_FALSE(PlanRename(4, "Bars.svp", true).changesState);
    EXPECT_FALSE(PlanRename(4, "Bars.svp_disabled", false).changesState);
}

TEST(RenamePlan, TagsASubFolderAndSwitchesTheFileInside)
{
    RenamePlan plan = PlanRename(6, "012_Pack\\Pack.svp", false);
    EXPECT_EQ(plan.tagSource, "012_Pack");
    EXPECT_EQ(plan.tagTarget, "006_Pack");
    EXPECT_EQ(plan.newName, "006_Pack\\Pack.svp");
    EXPECT_EQ(plan.stateTarget, "006_Pack\\Pack.svp_disabled");
}

TEST(RenamePlan, AJapaneseSubFolderIsCutAtItsRealBackslash)
{
    RenamePlan plan = PlanRename(4, kSo + kHyou + "\\" + kA + ".svp_disabled", true, Cp932LeadByte);
    EXPECT_EQ(plan.tagSource, kSo + kHyou);
    EXPECT_EQ(plan.tagTarget, "004_" + kSo + kHyou);
    EXPECT_TRUE(plan.changesState);
    EXPECT_EQ(plan.stateTarget, "004_" + kSo + kHyou + "\\" + kA + ".svp");
    // Its last nine bytes read "_disabled", its last characters do not.
    EXPECT_FALSE(PlanRename(5, "Pack\\p.svp" + kDa + "disabled", true, Cp932LeadByte).changesState);
}

TEST(KeySteps, CountOnlyThePositionsEnabledAtLoad)
{
    // Rows 4 to 9 loaded as enabled, enabled, disabled, enabled, enabled, enabled.
    std::vector<unsigned char> loaded{1, 1, 1, 1, 1, 1, 0, 1, 1, 1};
    KeySteps forward = PlanKeySteps(8, 4, loaded);
    EXPECT_TRUE(forward.forward);
    EXPECT_EQ(forward.presses, 3);
    KeySteps backward = PlanKeySteps(4, 8, loaded);
    EXPECT_FALSE(backward.forward);
    EXPECT_EQ(backward.presses, 3);
    EXPECT_EQ(PlanKeySteps(8, kNoVisual, loaded).presses, 7);
    EXPECT_EQ(PlanKeySteps(5, 5, loaded).presses, 0);
}

TEST(KeySteps, PositionsNeverLoadedNeedNoPress)
{
    std::vector<unsigned char> loaded{1, 1, 1, 1, 1};
    EXPECT_EQ(PlanKeySteps(9, 2, loaded).presses, 3);
    EXPECT_EQ(PlanKeySteps(0, 9, loaded).presses, 4);
    EXPECT_EQ(PlanKeySteps(3, 0, {}).presses, 0);
}

TEST(HostRecord, TheNameStopsAtItsTerminatorOrTheRecordsEnd)
{
    std::vector<char> record(host::kInfoSize, 'x');
    std::strcpy(&record[host::kInfoVisNameOffset], "Fire Storm");
    EXPECT_EQ(VisNameFromRecord(record.data(), host::kInfoSize), "Fire Storm");

    std::fill(record.begin(), record.end(), 'y');
    EXPECT_EQ(VisNameFromRecord(record.data(), host::kInfoSize),
              std::string(host::kInfoSize - host::kInfoVisNameOffset, 'y'));
    EXPECT_EQ(VisNameFromRecord(record.data(), host::kInfoVisNameOffset), "");
    EXPECT_EQ(VisNameFromRecord(nullptr, host::kInfoSize), "");
}

TEST(HostRecord, VisNumberIsReadOnlyWhenItIsAShortNumber)
{
    EXPECT_EQ(ParseVisNumber("7"), 7);
    EXPECT_EQ(ParseVisNumber("9999"), 9999);
    EXPECT_EQ(ParseVisNumber("12ab"), 12);
    EXPECT_EQ(ParseVisNumber("99999"), kNoVisual);
    EXPECT_EQ(ParseVisNumber("abc"), kNoVisual);
    EXPECT_EQ(ParseVisNumber("-1"), kNoVisual);
    EXPECT_EQ(ParseVisNumber(" 5"), kNoVisual);
    EXPECT_EQ(ParseVisNumber(""), kNoVisual);
}

TEST(HostNumbering, CountsOnlyWhatTheHostLoadedBothWays)
{
    // Rows 4 to 9 loaded as enabled, enabled, disabled, enabled, enabled, enabled.
    std::vector<unsigned char> loaded{1, 1, 1, 1, 1, 1, 0, 1, 1, 1};
    EXPECT_EQ(HostNumberOfLoadIndex(2, loaded), 2);
    EXPECT_EQ(HostNumberOfLoadIndex(5, loaded), 5);
    EXPECT_EQ(HostNumberOfLoadIndex(8, loaded), 7);
    EXPECT_EQ(HostNumberOfLoadIndex(6, loaded), kNoVisual) << "never loaded";
    EXPECT_EQ(HostNumberOfLoadIndex(10, loaded), kNoVisual);
    for (int index : {0, 3, 4, 7, 9})
        EXPECT_EQ(LoadIndexOfHostNumber(HostNumberOfLoadIndex(index, loaded), loaded), index);
    EXPECT_EQ(LoadIndexOfHostNumber(6, loaded), 7);
    EXPECT_EQ(LoadIndexOfHostNumber(9, loaded), kNoVisual) << "only nine visuals";
    EXPECT_EQ(LoadIndexOfHostNumber(kNoVisual, loaded), kNoVisual);
}

TEST(HostNumbering, AfterSaveTheFolderAsItStandsDecides)
{
    std::vector<VisFolderEntry> folder{{"004_A.svp", "", true},
                                       {"005_B.svp_disabled", "", false},
                                       {"006_Pack\\Pack.svp", "", true},
                                       {"Stuck.svp", "", true}};
    EXPECT_EQ(HostNumberOfFile("004_A.svp", folder), 4);
    EXPECT_EQ(HostNumberOfFile("006_Pack\\Pack.svp", folder), 5);
    EXPECT_EQ(HostNumberOfFile("Stuck.svp", folder), 6) << "a rename that failed keeps its place";
    EXPECT_EQ(HostNumberOfFile("005_B.svp_disabled", folder), kNoVisual) << "not loaded";
    EXPECT_EQ(HostNumberOfFile("005_B.svp", folder), kNoVisual) << "not there";
}

TEST(RenamePlan, PlansEveryRowsStepsAndJournalsOnlyTheOnesThatChangeAName)
{
    const std::map<std::string, std::string> stamps{{"Bars.svp", "sb"}, {"012_Pack", ""}};
    struct Case {
        SaveRow row;
        std::vector<JournalRename> steps;  // for the row in the first plug-in place, plug-in 0
        size_t journalled;
        bool lost;
    } cases[] = {
        {{"Bars.svp", true}, {{"Bars.svp", "004_Bars.svp", "sb", 0, false}}, 1, false},
        {{"004_Ice.svp", true}, {{"004_Ice.svp", "004_Ice.svp", "", 0, false}}, 0, false},
        {{"004_Ice.svp", false},
         {{"004_Ice.svp", "004_Ice.svp", "", 0, false}, {"004_Ice.svp", "004_Ice.svp_disabled", "", 0, true}},
         1, false},
        {{"007_Bars.svp_disabled", true},
         {{"007_Bars.svp_disabled", "004_Bars.svp_disabled", "", 0, false},
          {"004_Bars.svp_disabled", "004_Bars.svp", "", 0, true}},
         2, false},
        {{"012_Pack\\Pack.svp", false},
         {{"012_Pack", "004_Pack", "", 0, false}, {"004_Pack\\Pack.svp", "004_Pack\\Pack.svp_disabled", "", 0, true}},
         2, false},
        {{"12_x.svp", true}, {{"12_x.svp", "004_12_x.svp", "", 0, false}}, 1, false},
        {{"A?.svp", false}, {{"A?.svp", "A?.svp", "", 0, false}}, 0, true},
    };
    for (const Case& c : cases) {
        SavePlan plan = PlanSaveRenames({c.row}, stamps);
        EXPECT_EQ(plan.steps, c.steps) << c.row.file;
        EXPECT_EQ(plan.Journalled().size(), c.journalled) << c.row.file;
        ASSERT_EQ(plan.found.size(), plan.steps.size());
        EXPECT_EQ(plan.found[0], c.lost ? RenameFound::Lost : RenameFound::NotMade) << c.row.file;
    }
    EXPECT_TRUE(PlanSaveRenames({}, stamps).steps.empty());

    // Each row its plug-in number; the thousandth row's tag has four digits.
    std::vector<SaveRow> rows(997, SaveRow{"P.svp", true});
    SavePlan many = PlanSaveRenames(rows, stamps);
    EXPECT_EQ(many.steps[995], (JournalRename{"P.svp", "999_P.svp", "", 995, false}));
    EXPECT_EQ(many.steps[996], (JournalRename{"P.svp", "1000_P.svp", "", 996, false}));
}

TEST(RenamePlan, ThePlannedHostNumberCountsOnlyTheVisualsTheHostWillLoad)
{
    // Rows 4 to 8: on, off, on, a name the code page cannot hold (left disabled on
    // disk, though wanted on), one it cannot hold left enabled (though wanted off).
    const std::vector<SaveRow> rows{{"A.svp", true},
                                    {"B.svp", false},
                                    {"C.svp", true},
                                    {"D?.svp_disabled", true},
                                    {"E?.svp", false}};
    struct Case {
        int currentRow;
        int number;
    } cases[] = {{0, 0}, {3, 3}, {4, 4}, {5, kNoVisual}, {6, 5}, {7, kNoVisual}, {8, 6}, {9, kNoVisual},
                 {kNoVisual, kNoVisual}};
    for (const Case& c : cases)
        EXPECT_EQ(PlannedHostNumber(rows, c.currentRow), c.number) << c.currentRow;
    EXPECT_EQ(PlannedHostNumber({}, 4), kNoVisual);
}
