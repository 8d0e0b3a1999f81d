#include <gtest/gtest.h>
#include <map>
#include "host/RenameRecovery.h"
#include "host/SaveJournal.h"
#include "tests/Cp932.h"

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

// A Vis folder in memory: names (sub-folders' files as "folder\file") and
// their stamps, renamed as MoveFileA does, never replacing a name.
struct Disk {
    std::map<std::string, std::string> names;

    bool Move(const std::string& from, const std::string& to)
    {
        if (!names.count(from) || names.count(to))
            return false;
        std::map<std::string, std::string> moved;
        for (const auto& [name, stamp] : names) {
            if (name == from)
                moved[to] = stamp;
            else if (name.compare(0, from.size() + 1, from + "\\") == 0)
                moved[to + name.substr(from.size())] = stamp;
            else
                moved[name] = stamp;
        }
        names = moved;
        return true;
    }

    LookUpName LookUp() const
    {
        return [this](const std::string& name) -> std::optional<std::string> {
            auto found = names.find(name);
            return found == names.end() ? std::nullopt : std::optional<std::string>(found->second);
        };
    }
};

// Two files swapping tag numbers in a chain, a tag that collides with a
// file nobody renames, a sub-folder switched off inside, and one switched on.
const std::vector<JournalRename> kChain = {
    {"005_X.svp", "004_X.svp", "s1"},    // frees 005_X.svp for the next one
    {"X.svp", "005_X.svp", "s2"},
    {"Y.svp", "006_Y.svp", "s3"},        // 006_Y.svp is taken: fails
    {"012_Pack", "007_Pack", ""},
    {"007_Pack\\Pack.svp", "007_Pack\\Pack.svp_disabled", ""},
    {"Z.svp_disabled", "008_Z.svp_disabled", "s4"},
    {"008_Z.svp_disabled", "008_Z.svp", "s4"},
};

Disk ChainDisk()
{
    Disk disk;
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
                                    std::string(""), std::string("A?.svp"), std::string("..")})
        EXPECT_EQ(Parse(with("A.svp\t" + name + "\t")), JournalFault::UnsafeName) << name;
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
        Disk disk = ChainDisk();
        Disk whole = ChainDisk();
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
        Disk finished = disk;
        for (size_t index = 0; index < kChain.size(); ++index)
            if (found[index] != RenameFound::Made)
                finished.Move(kChain[index].from, kChain[index].to);
        EXPECT_EQ(finished.names, whole.names) << stop;
        for (size_t index = kChain.size(); index-- > 0;)
            if (found[index] == RenameFound::Made) {
                ASSERT_TRUE(disk.Move(kChain[index].to, kChain[index].from));
            }
        EXPECT_EQ(disk.names, ChainDisk().names) << stop;
    }
}

TEST(RenameRecovery, AFileRemovedOrReplacedSinceIsLostAndPluginsAreCountedWhole)
{
    Disk disk = ChainDisk();
    for (const JournalRename& rename : kChain)
        disk.Move(rename.from, rename.to);
    disk.names["004_X.svp"] = "copied in later";
    disk.names.erase("008_Z.svp");
    std::vector<RenameFound> found = FindRenamesMade(kChain, disk.LookUp(), Cp932LeadByte);
    EXPECT_EQ(found, (std::vector<RenameFound>{RenameFound::Lost, RenameFound::Made, RenameFound::NotMade,
                                               RenameFound::Made, RenameFound::Made, RenameFound::Lost,
                                               RenameFound::Lost}));
    PluginCount count = CountPluginsRenamed(kChain, found, Cp932LeadByte);
    EXPECT_EQ(count.total, 5) << "a plug-in's tag and state are one plug-in";
    EXPECT_EQ(count.renamed, 2);
}
