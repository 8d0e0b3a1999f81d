#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "catalogue/ProfileFormat.h"
#include "tests/catalogue/TrickyProfile.h"

namespace {
struct Answer {
    const char* section;
    const char* key;
    const char* value;
};

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

TEST(ProfileFormat, ReadsTheTrickyFileAsTheSystemDoes)
{
    const Answer answers[] = {
        {"VisCache", "Fire", "first"},         {"viscache", "fire", "first"},
        {" VisCache ", "\tFIRE ", "first"},    {"VisCache", "Ice", "cold"},
        {"VisCache", "Double", "quoted "},     {"VisCache", "Single", "x"},
        {"VisCache", "Open", "\"open"},        {"VisCache", "Mixed", "\"mixed'"},
        {"VisCache", "Lone", "\""},            {"VisCache", "Bare", ""},
        {"VisCache", ";Semi", "comment or key"}, {"VisCache", "Eq", "a=b"},
        {"VisCache", "Caf\xC9", "accent"},     {"VisCache", "caf\xE9", ""},
        {"VisCache", "[NoClose", ""},          {"VisCache", "Late", ""},
        {"VisCache", "Top", ""},               {"VisCache", "Eq=a", ""},
        {"Other", "Fire", "other section"},    {"", "Top", "before any header"},
        {"", "Empty", ""},                     {"Missing", "Fire", ""},
    };
    ProfileSections sections = ReadProfileSections(kTrickyProfileText);
    for (const Answer& answer : answers)
        EXPECT_EQ(ProfileAnswer(sections, answer.section, answer.key), answer.value)
            << "[" << answer.section << "] " << answer.key;
}

TEST(ProfileFormat, LongValueIsCutAfterItsQuotesAreTaken)
{
    std::string inner(5000, 'y');
    ProfileSections sections = ReadProfileSections("[S]\r\nLong=\"" + inner + "\"\r\n");
    EXPECT_EQ(ProfileAnswer(sections, "S", "Long"), inner.substr(0, kMaxProfileString));
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

TEST(ProfileFormat, NotedWritesAnswerAsTheWrittenTextReadsBack)
{
    std::vector<ProfileString> writes = {{"Fire", "  spaced  "}, {"ice", "'quoted'"}, {"Brand", "new"},
                                          {"late", ""}, {"Bare", "x"}};
    for (const char* section : {"VisCache", "Other", "New", ""}) {
        ProfileSections noted = ReadProfileSections(kTrickyProfileText);
        for (const ProfileString& write : writes)
            NoteProfileWrite(noted, section, write);
        EXPECT_EQ(ReadProfileSections(WriteProfileStrings(kTrickyProfileText, section, writes)), noted) << section;
    }
}
