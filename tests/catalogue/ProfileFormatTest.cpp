// How the answers follow the system's reader is proved under Wine
// (CProfileIndexTest) and by the fuzz target; here, what the writer keeps.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "catalogue/ProfileFormat.h"
#include "tests/catalogue/TrickyProfile.h"

namespace {
std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t begin = 0;
    while (begin < text.size()) {
        size_t end = text.find('\n', begin);
        end = end == std::string::npos ? text.size() : end + 1;
        lines.push_back(text.substr(begin, end - begin));
        begin = end;
    }
    return lines;
}
}

TEST(ProfileFormat, OnlyTextReadByteByByteIsPlain)
{
    EXPECT_TRUE(IsPlainProfileText(kTrickyProfileText));
    EXPECT_TRUE(IsPlainProfileText(""));
    EXPECT_FALSE(IsPlainProfileText("\xEF\xBB\xBF[VisCache]\r\n"));
    EXPECT_FALSE(IsPlainProfileText("\xFF\xFE[\0V\0"));
    EXPECT_FALSE(IsPlainProfileText(std::string("[VisCache]\r\nA=1\0\r\n", 16)));
}

TEST(ProfileFormat, WritesChangeOnlyTheirOwnLines)
{
    std::string written = WriteProfileStrings(kTrickyProfileText, "VisCache",
                                              {{"fire", "new fire"}, {"bare", "was bare"}, {"Brand", "new"},
                                               {"Late", "no longer late"}, {"BRAND", "newer"}});
    std::vector<std::string> expected = Lines(kTrickyProfileText);
    expected[5] = "Fire=new fire\r\n";
    expected[13] = "Bare=was bare\r\n";
    // New keys follow the section's last entry, before its blank lines.
    expected.insert(expected.begin() + 18, {"Brand=newer\r\n", "Late=no longer late\r\n"});
    EXPECT_EQ(Lines(written), expected);
}

TEST(ProfileFormat, MissingSectionIsAddedAtTheEnd)
{
    EXPECT_EQ(WriteProfileStrings("", "VisCache", {{"Fire", "Fire Storm"}}), "[VisCache]\r\nFire=Fire Storm\r\n");
    EXPECT_EQ(WriteProfileStrings("[Other]\nA=1", "VisCache", {{"Fire", "1"}, {"Ice", "2"}}),
              "[Other]\nA=1\r\n[VisCache]\r\nFire=1\r\nIce=2\r\n");
    EXPECT_EQ(WriteProfileStrings("[VisCache]", "VisCache", {{"Fire", "1"}}), "[VisCache]\r\nFire=1\r\n");
    EXPECT_EQ(WriteProfileStrings("[Other]\r\n", "VisCache", {}), "[Other]\r\n");
}
