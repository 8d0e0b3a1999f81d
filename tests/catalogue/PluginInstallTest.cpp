#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "catalogue/PluginInstall.h"
#include "catalogue/VisPlugin.h"
#include "tests/Cp932.h"

using namespace cp932;

namespace {
using Names = std::vector<std::string>;

bool NoLeadBytes(unsigned char)
{
    return false;
}
}

TEST(PluginInstall, OnlyAFileNamedSvpIsAPlugin)
{
    EXPECT_TRUE(IsPluginFile("C:\\Downloads\\Fire.svp"));
    EXPECT_TRUE(IsPluginFile("Fire.svp"));
    // The host loads only this extension, compared as it compares it.
    EXPECT_FALSE(IsPluginFile("C:\\Downloads\\Fire.SVP"));
    EXPECT_FALSE(IsPluginFile("C:\\Downloads\\Fire.svp_disabled"));
    EXPECT_FALSE(IsPluginFile("C:\\Downloads\\Fire.svp.txt"));
    EXPECT_FALSE(IsPluginFile("C:\\Downloads.svp\\Fire"));
    EXPECT_FALSE(IsPluginFile("C:\\Downloads\\Fire"));
}

TEST(PluginInstall, NamesAreCutAtSeparatorsACharacterAtATime)
{
    EXPECT_EQ(LeafName("C:\\Downloads\\Fire.svp"), "Fire.svp");
    EXPECT_EQ(LeafName("C:/Downloads/Pack"), "Pack");
    EXPECT_EQ(LeafName("Fire.svp"), "Fire.svp");
    EXPECT_EQ(TopLevelName("003_Deep\\deep.svp_disabled"), "003_Deep");
    EXPECT_EQ(TopLevelName("Fire.svp"), "Fire.svp");
    EXPECT_EQ(EntryTitle("Fire.svp"), "Fire");
    EXPECT_EQ(EntryTitle("My.Pack\\glow.svp"), "My");
    EXPECT_EQ(EntryTitle("Deep\\deep.svp"), "Deep");
    // A "\" that is the second byte of a character cuts nothing.
    std::string kanji = "C:\\" + kHyou + "\\" + kSo + ".svp";
    EXPECT_EQ(LeafName(kanji, Cp932LeadByte), kSo + ".svp");
    EXPECT_EQ(TopLevelName(kHyou + "\\a.svp", Cp932LeadByte), kHyou);
    EXPECT_TRUE(IsPluginFile(kanji, Cp932LeadByte));
}

TEST(PluginInstall, ANameIsTakenByTheSamePluginWhateverItsTagStateOrCase)
{
    Names folder{"007_Fire.svp_disabled", "Bars.svp", "020_Pack", "Deep"};
    EXPECT_TRUE(IsNameTaken("Fire.svp", folder));
    EXPECT_TRUE(IsNameTaken("012_fire.svp", folder));
    EXPECT_TRUE(IsNameTaken("BARS.svp", folder));
    EXPECT_TRUE(IsNameTaken("Pack", folder));
    EXPECT_TRUE(IsNameTaken("Deep.svp", folder));
    EXPECT_FALSE(IsNameTaken("Fire2.svp", folder));
    EXPECT_FALSE(IsNameTaken("Fire.svp", {}));
    // Code page 932: the letter in the second byte of "ア" is not lower-cased.
    EXPECT_TRUE(IsNameTaken(kA + "X.svp", {"001_" + kA + "x.svp"}, Cp932LeadByte));
    EXPECT_FALSE(IsNameTaken("\x83" "a.svp", {"\x83" "A.svp"}, Cp932LeadByte));
    EXPECT_TRUE(IsNameTaken("\x83" "a.svp", {"\x83" "A.svp"}, NoLeadBytes));
}

TEST(PluginInstall, AddedRowsGoBeforeTheAnchorOrAtTheEndNeverAmongTheBuiltIns)
{
    EXPECT_EQ(AddedRowIndex(6, 9), 6);
    EXPECT_EQ(AddedRowIndex(9, 9), 9);
    EXPECT_EQ(AddedRowIndex(-1, 9), 9);
    EXPECT_EQ(AddedRowIndex(kNoVisual, 9), 9);
    EXPECT_EQ(AddedRowIndex(1, 9), kFirstPluginRow);
    EXPECT_EQ(AddedRowIndex(0, 4), kFirstPluginRow);
}

TEST(PluginInstall, OpenFileNamesAreOneFullPathOrAFolderThenItsNames)
{
    std::string one("C:\\Downloads\\Fire.svp\0\0", 23);
    EXPECT_EQ(SplitOpenFileNames(one), Names{"C:\\Downloads\\Fire.svp"});
    std::string several("C:\\Downloads\0Fire.svp\0Ice.svp\0\0", 31);
    EXPECT_EQ(SplitOpenFileNames(several), (Names{"C:\\Downloads\\Fire.svp", "C:\\Downloads\\Ice.svp"}));
    std::string atRoot("C:\\\0Fire.svp\0Ice.svp\0\0", 22);
    EXPECT_EQ(SplitOpenFileNames(atRoot), (Names{"C:\\Fire.svp", "C:\\Ice.svp"}));
    // A folder whose last byte is the "\" of a two-byte character still needs its separator.
    std::string kanji = "C:\\" + kHyou + std::string("\0a.svp\0b.svp\0\0", 14);
    EXPECT_EQ(SplitOpenFileNames(kanji, Cp932LeadByte),
              (Names{"C:\\" + kHyou + "\\a.svp", "C:\\" + kHyou + "\\b.svp"}));
    EXPECT_TRUE(SplitOpenFileNames(std::string(2, '\0')).empty());
}

TEST(PluginInstall, ACopyingNameEndsInItsSuffixInAnyCaseAndNeverInPartOfACharacter)
{
    EXPECT_EQ(CopyingName("Fire.svp"), "Fire.svp.orbiquel-copy");
    EXPECT_TRUE(IsCopyingName(CopyingName("Fire.svp")));
    EXPECT_TRUE(IsCopyingName(CopyingName("Pack")));
    EXPECT_TRUE(IsCopyingName("FIRE.SVP.ORBIQUEL-COPY"));
    EXPECT_FALSE(IsCopyingName("Fire.svp"));
    EXPECT_FALSE(IsCopyingName("Fire.orbiquel-copy.svp"));
    EXPECT_FALSE(IsCopyingName("orbiquel-copy"));
    EXPECT_FALSE(IsCopyingName(""));
    // The "." after a lead byte is that character's second half.
    EXPECT_FALSE(IsCopyingName("\x83.orbiquel-copy", Cp932LeadByte));
    EXPECT_TRUE(IsCopyingName(kSo + ".orbiquel-copy", Cp932LeadByte));
}

TEST(PluginInstall, TheAddDialogOpensInTheFirstFolderGivenThatIsNotOrbiquelsOwn)
{
    const std::string own = "C:\\Tools\\Orbiquel";
    struct Case {
        Names candidates;
        std::string expected;
    } cases[] = {
        {{"D:\\Last", "C:\\Users\\me\\Downloads", "C:\\Users\\me\\Documents"}, "D:\\Last"},
        {{"", "C:\\Users\\me\\Downloads", "C:\\Users\\me\\Documents"}, "C:\\Users\\me\\Downloads"},
        {{"", "", "C:\\Users\\me\\Documents"}, "C:\\Users\\me\\Documents"},
        {{"C:\\Tools\\Orbiquel", "", "C:\\Users\\me\\Documents"}, "C:\\Users\\me\\Documents"},
        {{"c:\\tools\\ORBIQUEL\\", "C:\\Users\\me\\Downloads"}, "C:\\Users\\me\\Downloads"},
        {{"C:\\Tools\\Orbiquel\\Vis", "C:\\Users\\me\\Downloads"}, "C:\\Tools\\Orbiquel\\Vis"},
        {{"C:\\Tools", "C:\\Users\\me\\Downloads"}, "C:\\Tools"},
        {{"", "", ""}, ""},
        {{"C:\\Tools\\Orbiquel"}, ""},
        {{}, ""},
    };
    for (const Case& test : cases)
        EXPECT_EQ(FirstFolderBesides(test.candidates, own), test.expected) << test.candidates.size();
    // Code page 932: "表\" is a folder with its separator, "ソ" one without.
    EXPECT_EQ(FirstFolderBesides({"C:\\" + kHyou + "\\", "D:\\"}, "C:\\" + kHyou, Cp932LeadByte), "D:\\");
    EXPECT_EQ(FirstFolderBesides({"C:\\" + kSo, "D:\\"}, "C:\\" + kSo.substr(0, 1), Cp932LeadByte), "C:\\" + kSo);
}
