// Whether a file as the system's writer left it holds the whole file it was:
// the writer's own form passes in every encoding, a file cut short does not.
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include "framework/ProfileSyntax.h"
#include "tests/Cp932.h"
#include "tests/Utf16Text.h"

namespace {
enum class Encoding { CodePage, Utf16LittleEndian, Utf16BigEndian };
const Encoding kEncodings[] = {Encoding::CodePage, Encoding::Utf16LittleEndian, Encoding::Utf16BigEndian};

std::string Encoded(const std::string& ascii, Encoding encoding)
{
    if (encoding == Encoding::CodePage)
        return ascii;
    return Utf16File(Utf16Units(ascii), encoding == Encoding::Utf16BigEndian);
}

// 40 names given by hand, as the user keeps them after the cache.
std::string NamesByHand()
{
    std::string names = "[LockedVis]\r\n";
    for (int line = 1; line <= 40; ++line)
        names += "Locked" + std::to_string(line) + "=Name given by hand " + std::to_string(line) + "\r\n";
    return names;
}
}

TEST(ProfileSyntax, RewriteWithoutBlanksHoldsANewKeyAndOneCutShortOrUnwrittenDoesNot)
{
    std::string head = "[VisCache]\r\n  Glow = Glow Worm\r\n\r\n";
    std::string before = head + NamesByHand();
    before += ";" + std::string(4096 - before.size() - 3, '-') + "\r\n";
    // As Wine's writer puts it: every line without its blanks, no blank lines.
    std::string after = "[VisCache]\r\nGlow=Glow Worm\r\nFire=Fire Storm\r\n" + before.substr(head.size());
    for (Encoding encoding : kEncodings) {
        auto holds = [&](const std::string& rewritten) {
            return HoldsProfileWrite(Encoded(before, encoding), Encoded(rewritten, encoding), "Fire",
                                     std::nullopt, "Fire Storm");
        };
        EXPECT_TRUE(holds(after));
        EXPECT_FALSE(holds(after.substr(0, 4096))) << "cut at the page the old file filled";
        EXPECT_FALSE(holds(after.substr(0, after.size() - 3))) << "one character short";
        EXPECT_TRUE(holds(after.substr(0, after.size() - 2))) << "only the last line break gone";
        EXPECT_FALSE(holds(before)) << "the new entry never written";
    }
}

// A UTF-16 file takes a unit for each character of the code page, one byte or two.
TEST(ProfileSyntax, NewKeyOfTwoByteCharactersInAUnicodeFileCountsByCharacter)
{
    const std::string value = "\x94\x5C\x97\xCD";  // 能力
    const std::string units = "\xFD\x80\x9B\x52";
    const std::string before = Utf16Units("[Vis]\r\n");
    const std::string after = before + Utf16Units("F=") + units + Utf16Units("\r\n");
    for (bool bigEndian : {false, true}) {
        auto holds = [&](const std::string& rewritten) {
            return HoldsProfileWrite(Utf16File(before, bigEndian), Utf16File(rewritten, bigEndian), "F",
                                     std::nullopt, value, Cp932LeadByte);
        };
        EXPECT_TRUE(holds(after));
        EXPECT_FALSE(holds(after.substr(0, after.size() - 6))) << "力 cut off";
    }
}
