#include <gtest/gtest.h>
#include <string>
#include "sets/SetFileName.h"
#include "sets/SetFormat.h"
#include "tests/Cp932.h"

namespace {
const std::string kHead = "Orbiquel set 1\nName: Party\nCurrent: bars\n";

SetReadResult Read(const std::string& text)
{
    PluginSet set;
    return ReadSet(text, set);
}
}

TEST(SetFormat, ReadsWhatItWritesWithUtf8NamesAndNoCurrent)
{
    PluginSet set{"Party \xE8\xA1\xA8\xE7\xA4\xBA", "", {{true, "bars", "Bars 2.0"}, {false, "\xE8\xA1\xA8\xE7\xA4\xBA", ""}}};
    std::string text = WriteSet(set);
    EXPECT_EQ(text.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_NE(text.find("\r\nCurrent:\r\non|bars|Bars 2.0\r\n"), std::string::npos);
    PluginSet back;
    ASSERT_EQ(ReadSet(text, back).fault, SetFault::None);
    EXPECT_EQ(back, set);
    set.current = "bars";
    ASSERT_EQ(ReadSet(WriteSet(set), back).fault, SetFault::None);
    EXPECT_EQ(back.current, "bars");
}

TEST(SetFormat, ReadsHandEditedFilesWithoutMarkWithLfAndBlankLines)
{
    PluginSet set;
    ASSERT_EQ(ReadSet("Orbiquel set 1\nName: a|b\n\nCurrent:\noff|x|X|Y\n\n", set).fault, SetFault::None);
    EXPECT_EQ(set.name, "a|b");
    EXPECT_EQ(set.current, "");
    ASSERT_EQ(set.plugins.size(), 1u);
    EXPECT_EQ(set.plugins[0], (SetEntry{false, "x", "X|Y"}));
}

// Each fault names its line; a refused file leaves nothing behind.
TEST(SetFormat, RefusesMalformedFilesWholeWithTheLine)
{
    struct Case {
        std::string text;
        SetFault fault;
        size_t line;
    } cases[] = {
        {"", SetFault::NotASet, 1},
        {"Orbiquel set 2\n", SetFault::NotASet, 1},
        {"Orbiquel set 1\nName: a\n", SetFault::Malformed, 3},  // cut short
        {"Orbiquel set 1\nName: \nCurrent:\n", SetFault::Malformed, 2},
        {"Orbiquel set 1\nName: a\nCurrent:x\n", SetFault::Malformed, 3},
        {kHead + "on|a|A\nmaybe|b|B\n", SetFault::Malformed, 5},
        {kHead + "on|a\n", SetFault::Malformed, 4},
        {kHead + "on|a|A\tB\n", SetFault::Malformed, 4},
        {kHead + "on|a|A\rB\n", SetFault::Malformed, 4},
        {kHead + "on|..\\..\\x|A\n", SetFault::UnsafeKey, 4},
        {kHead + "on|C:x|A\n", SetFault::UnsafeKey, 4},
        {kHead + "on|nul|A\n", SetFault::UnsafeKey, 4},
        {kHead + "on|COM1 .svp|A\n", SetFault::UnsafeKey, 4},
        {kHead + "on|..|A\n", SetFault::UnsafeKey, 4},
        {kHead + "on||A\n", SetFault::UnsafeKey, 4},
        {kHead + "on|" + std::string(256, 'k') + "|A\n", SetFault::UnsafeKey, 4},
        {"Orbiquel set 1\nName: a\nCurrent: a/b\n", SetFault::UnsafeKey, 3},
        {kHead + "on|a|\xC0\xAF\n", SetFault::NotUtf8, 4},          // overlong "/"
        {kHead + "on|a|\xED\xA0\x80\n", SetFault::NotUtf8, 4},      // a surrogate
        {kHead + "on|a|\xE8\xA1\n", SetFault::NotUtf8, 4},          // cut short
        {kHead + "on|a|" + std::string(kLongestSetLine - 4, 'x') + "\n", SetFault::LineTooLong, 4},
    };
    for (const Case& c : cases) {
        PluginSet set;
        SetReadResult result = ReadSet(c.text, set);
        EXPECT_EQ(result.fault, c.fault) << c.text.substr(0, 60);
        EXPECT_EQ(result.line, c.line) << c.text.substr(0, 60);
        EXPECT_EQ(set, PluginSet{}) << c.text.substr(0, 60);
    }
}

TEST(SetFormat, BoundsSizeAndLinesAtTheirLimits)
{
    std::string longest = kHead + "on|a|" + std::string(kLongestSetLine - 5, 'x') + "\n";
    EXPECT_EQ(Read(longest).fault, SetFault::None);
    std::string lines = kHead;
    for (size_t line = 3; line < kMostSetLines; ++line)
        lines += "on|k|n\n";
    EXPECT_EQ(Read(lines).fault, SetFault::None);
    EXPECT_EQ(Read(lines + "on|k|n").fault, SetFault::TooManyLines);
    EXPECT_EQ(Read(lines + "on|k|n").line, kMostSetLines + 1);
    std::string big = kHead + "on|k|" + std::string(kMostSetBytes, 'x');
    EXPECT_EQ(Read(big).fault, SetFault::TooLarge);
    EXPECT_EQ(Read(big).line, 0u);
}

TEST(SetFileName, GivesEveryNameAUsableTitle)
{
    struct Case {
        std::string name;
        std::string title;
    } cases[] = {
        {"Party", "Party"},
        {"a/b:c*d?e\"f<g>h|i\\j", "a_b_c_d_e_f_g_h_i_j"},
        {"Evening. . ", "Evening"},
        {"...", "set"},
        {"con", "_con"},
        {"LPT1.txt", "_LPT1.txt"},
        {std::string(100, 'x'), std::string(kLongestSetTitle, 'x')},
        {cp932::kHyou + cp932::kSo, cp932::kHyou + cp932::kSo},  // "\" as second bytes stays
        {std::string(kLongestSetTitle - 1, 'x') + cp932::kHyou, std::string(kLongestSetTitle - 1, 'x')},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SetFileTitle(c.name, {}, Cp932LeadByte), c.title) << c.name;
    EXPECT_EQ(SetFileTitle("a?b", {"A_B", "a_b (2)"}, Cp932LeadByte), "a_b (3)");
    EXPECT_EQ(SetFolderFor("C:\\Tools\\orbiquel.ini", Cp932LeadByte), "C:\\Tools\\Orbiquel sets\\");
}
