#include <gtest/gtest.h>
#include <map>
#include "host/RenameBatch.h"
#include "host/RenameRecovery.h"
#include "host/SaveJournal.h"
#include "tests/Cp932.h"
#include "tests/host/FakeVisFolder.h"

using namespace cp932;

namespace {
const std::string kVis = "C:\\Melodrift\\Vis\\";

SaveJournal Journal(std::vector<JournalRename> renames)
{
    SaveJournal journal;
    journal.visFolder = kVis;
    journal.visNumberBefore = 7;
    journal.visNumberAfter = kNoVisual;
    journal.state = JournalState::Finished;
    journal.renames = std::move(renames);
    return journal;
}

JournalFault Parse(const std::string& text, const std::string& folder = kVis)
{
    SaveJournal journal;
    JournalFault fault = ParseJournal(text, folder, journal, Cp932LeadByte);
    if (fault != JournalFault::None) {
        EXPECT_TRUE(journal.renames.empty() && journal.visFolder.empty()) << "a refused journal gives nothing";
    }
    return fault;
}

// Two files swapping tag numbers in a chain, a tag that collides with a
// file nobody renames, a sub-folder switched off inside, and one switched on.
const std::vector<JournalRename> kChain = {
    {"005_X.svp", "004_X.svp", "s1", 0, false},  // frees 005_X.svp for the next one
    {"X.svp", "005_X.svp", "s2", 1, false},
    {"Y.svp", "006_Y.svp", "s3", 2, false},  // 006_Y.svp is taken: fails
    {"012_Pack", "007_Pack", "", 3, false},
    {"007_Pack\\Pack.svp", "007_Pack\\Pack.svp_disabled", "", 3, true},
    {"Z.svp_disabled", "008_Z.svp_disabled", "s4", 4, false},
    {"008_Z.svp_disabled", "008_Z.svp", "s4", 4, true},
};

FakeVisFolder ChainDisk()
{
    FakeVisFolder disk;
    disk.names = {{"005_X.svp", "s1"}, {"X.svp", "s2"},          {"Y.svp", "s3"},           {"006_Y.svp", "other"},
                  {"012_Pack", ""},    {"012_Pack\\Pack.svp", ""}, {"Z.svp_disabled", "s4"}};
    return disk;
}
}

TEST(SaveJournal, ReadsBackWhatItWritesAndRefusesEveryCutOfIt)
{
    SaveJournal written = Journal({{"012_Bars.svp", "004_Bars.svp", "00000010-01D9"},
                                   {kSo + kHyou + "\\" + kA + ".svp", kSo + kHyou + "\\" + kA + ".svp_disabled", ""},
                                   {"Pack", "005_Pack", ""}});
    std::string text = FormatJournal(written);
    SaveJournal read;
    ASSERT_EQ(ParseJournal(text, "c:\\melodrift\\VIS\\", read, Cp932LeadByte), JournalFault::None)
        << "the folder compared without regard to case";
    EXPECT_EQ(read.renames, written.renames);
    EXPECT_EQ(read.visNumberBefore, 7);
    EXPECT_EQ(read.visNumberAfter, kNoVisual);
    EXPECT_EQ(read.state, JournalState::Finished);
    for (size_t cut = 0; cut < text.size(); ++cut)
        ASSERT_EQ(Parse(text.substr(0, cut)), JournalFault::Malformed) << "cut at " << cut;
}

TEST(SaveJournal, RefusesMalformedLinesNamesThatLeaveTheFolderAndOtherFolders)
{
    std::string good = FormatJournal(Journal({{"A.svp", "004_A.svp", ""}}));
    auto with = [&good](const std::string& line) {
        std::string text = good;
        return text.replace(text.find("A.svp\t004_A.svp\t"), std::string("A.svp\t004_A.svp\t").size(), line);
    };
    EXPECT_EQ(Parse(with("A.svp 004_A.svp")), JournalFault::Malformed) << "no separator";
    EXPECT_EQ(Parse(with("A.svp\t004_A.svp\t\tx")), JournalFault::Malformed);
    for (const std::string& name : {std::string("..\\A.svp"), std::string("Pack\\..\\..\\A.svp"),
                                    std::string("C:\\A.svp"), std::string("\\A.svp"), std::string("C:A.svp"),
                                    std::string("Pack\\"), std::string("a\\b\\c.svp"), std::string("../A.svp"),
                                    std::string(""), std::string("A?.svp"), std::string(".."), std::string("CON"),
                                    std::string("NUL"), std::string("COM1"), std::string("NUL.svp"),
                                    std::string("sub\\NUL"), std::string("nul. "), std::string("Con..."),
                                    std::string("aux .svp"), std::string("LPT9\\A.svp")})
        EXPECT_EQ(Parse(with("A.svp\t" + name + "\t")), JournalFault::UnsafeName) << name;
    for (const std::string& name : {std::string("CONSOLE.svp"), std::string("COM10.svp"), std::string("Nul_x.svp"),
                                    std::string("COM.svp")})
        EXPECT_EQ(Parse(with("A.svp\t" + name + "\t")), JournalFault::None) << name << " names no device";
    EXPECT_EQ(Parse(with(kSo + "\\" + kHyou + "\t004_A.svp\t")), JournalFault::None)
        << "trail bytes that look like separators are parts of characters";
    EXPECT_EQ(Parse(good, "D:\\Other\\Vis\\"), JournalFault::OtherFolder);
    std::string count = good;
    EXPECT_EQ(Parse(count.replace(count.find("Renames: 1"), 10, "Renames: 2")), JournalFault::Malformed);
    std::string state = good;
    EXPECT_EQ(Parse(state.replace(state.find("finished"), 8, "done")), JournalFault::Malformed);
}

TEST(RenameRecovery, TellsFromTheDiskWhichRenamesWereMadeWhereverTheSaveStopped)
{
    for (size_t stop = 0; stop <= kChain.size(); ++stop) {
        FakeVisFolder disk = ChainDisk();
        FakeVisFolder whole = ChainDisk();
        std::vector<RenameFound> expected;
        for (size_t index = 0; index < kChain.size(); ++index) {
            bool made = whole.Move(kChain[index].from, kChain[index].to);
            if (index < stop)
                disk.Move(kChain[index].from, kChain[index].to);
            expected.push_back(made && index < stop ? RenameFound::Made : RenameFound::NotMade);
        }
        std::vector<RenameFound> found = FindRenamesMade(kChain, disk.LookUp(), Cp932LeadByte);
        ASSERT_EQ(found, expected) << "stopped before rename " << stop;

        // Finishing gives what the whole Save gave; putting back gives the start.
        FakeVisFolder finished = disk;
        RunRenameBatch(kChain, found, BatchWay::Forward, finished.Mover());
        EXPECT_EQ(finished.names, whole.names) << stop;
        BatchResult back = RunRenameBatch(kChain, found, BatchWay::Back, disk.Mover());
        EXPECT_TRUE(back.notMade.empty()) << stop;
        EXPECT_EQ(disk.names, ChainDisk().names) << stop;
    }
}

TEST(RenameRecovery, AFileRemovedOrReplacedSinceIsLostAndPluginsAreCountedWhole)
{
    FakeVisFolder disk = ChainDisk();
    for (const JournalRename& rename : kChain)
        disk.Move(rename.from, rename.to);
    disk.names["004_X.svp"] = "copied in later";
    disk.names.erase("008_Z.svp");
    std::vector<RenameFound> found = FindRenamesMade(kChain, disk.LookUp(), Cp932LeadByte);
    EXPECT_EQ(found, (std::vector<RenameFound>{RenameFound::Lost, RenameFound::Made, RenameFound::NotMade,
                                               RenameFound::Made, RenameFound::Made, RenameFound::Lost,
                                               RenameFound::Lost}));
    PluginCount count = CountPluginsRenamed(kChain, found);
    EXPECT_EQ(count.total, 5) << "a plug-in's tag and state are one plug-in";
    EXPECT_EQ(count.renamed, 2);
}

TEST(SaveJournal, ReadsTheFirstFormAndTellsEachPluginsStateStepByItsNames)
{
    std::string first = "Orbiquel Save journal 1\r\nVis folder: " + kVis +
                        "\r\nVisNumber: 5 -> none\r\nState: open\r\nRenames: 4\r\n"
                        "012_Pack\t004_Pack\t\r\n004_Pack\\P.svp\t004_Pack\\P.svp_disabled\t\r\n"
                        "B.svp_disabled\t005_B.svp_disabled\ts\r\n005_B.svp_disabled\t005_B.svp\ts\r\n"
                        "End of journal\r\n";
    SaveJournal read;
    ASSERT_EQ(ParseJournal(first, kVis, read, Cp932LeadByte), JournalFault::None);
    EXPECT_EQ(read.currentRow, kUnknownRow);
    EXPECT_EQ(read.visNumberBefore, 5);
    ASSERT_EQ(read.renames.size(), 4u);
    EXPECT_EQ(read.renames[1], (JournalRename{"004_Pack\\P.svp", "004_Pack\\P.svp_disabled", "", 0, true}));
    EXPECT_EQ(read.renames[2], (JournalRename{"B.svp_disabled", "005_B.svp_disabled", "s", 1, false}));
    EXPECT_EQ(read.renames[3], (JournalRename{"005_B.svp_disabled", "005_B.svp", "s", 1, true}));
    EXPECT_TRUE(SaysOpen(first));

    // Written again, it takes the second form and keeps what it knew.
    SaveJournal again;
    ASSERT_EQ(ParseJournal(FormatJournal(read), kVis, again, Cp932LeadByte), JournalFault::None);
    EXPECT_EQ(again.renames, read.renames);
    EXPECT_EQ(again.currentRow, kUnknownRow);
    read.currentRow = 6;
    read.currentFile = "012_Pack\\P.svp";
    read.state = JournalState::Finished;
    std::string second = FormatJournal(read);
    ASSERT_EQ(ParseJournal(second, kVis, again, Cp932LeadByte), JournalFault::None);
    EXPECT_EQ(again.currentRow, 6);
    EXPECT_EQ(again.currentFile, "012_Pack\\P.svp");
    EXPECT_FALSE(SaysOpen(second));
    EXPECT_TRUE(SaysOpen("garbage\nState: open"));
    std::string badStep = second;
    EXPECT_EQ(Parse(badStep.replace(badStep.find("\t0\tstate"), 8, "\t0\tstat")), JournalFault::Malformed);
}
