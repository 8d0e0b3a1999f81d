#include <gtest/gtest.h>
#include <string>
#include "framework/CodePageText.h"
#include "tests/Cp932.h"

using namespace cp932;

TEST(CodePageText, ASecondByteBackslashIsNoSeparator)
{
    std::string folder = "C:\\Tools\\" + kHyou;
    EXPECT_EQ(FindLastChar(folder, "\\/", Cp932LeadByte), 8u);
    EXPECT_EQ(FindFirstChar(kSo + "Pack\\x.svp", "\\", Cp932LeadByte), 6u);
    EXPECT_EQ(FindFirstChar(kSo + kHyou, "\\", Cp932LeadByte), std::string::npos);
    // Byte by byte, as the system code page is off Windows.
    EXPECT_EQ(FindLastChar(folder, "\\/"), 10u);
}

TEST(CodePageText, TextIsFoundOnlyWhereACharacterStarts)
{
    EXPECT_EQ(FindSubstring(kA + "bc", "Abc", 0, Cp932LeadByte), std::string::npos);
    EXPECT_EQ(FindSubstring(kA + "Abc", "Abc", 0, Cp932LeadByte), 2u);
    EXPECT_EQ(FindSubstring("a.exe.exe", ".exe", 2, Cp932LeadByte), 5u);
}

TEST(CodePageText, ALeadByteAtTheEndStepsNoFurtherThanTheText)
{
    std::string cut = "ab\x95";
    EXPECT_EQ(NextChar(cut, 2, Cp932LeadByte), 3u);
    EXPECT_EQ(NextChar(cut, 3, Cp932LeadByte), 3u);
    EXPECT_FALSE(EndsInSeparator(cut, Cp932LeadByte));
}

TEST(CodePageText, LowerCaseTakesTheLettersAToZAndNoSecondByte)
{
    const struct {
        std::string text, lowered;
    } cases[] = {
        {"Fire 2.0 AZ@[`{", "fire 2.0 az@[`{"},
        {kA + "X" + kA, kA + "x" + kA},  // ア's second byte "A" stays
        {"A" + kSo + "Z", "a" + kSo + "z"},
        {"Q\x83", "q\x83"},              // a lead byte at the end
        {"\xC4X", "\xC4x"},              // not a lead byte: the next byte is a character of its own
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LowerCase(c.text, Cp932LeadByte), c.lowered) << c.text;
}

TEST(CodePageText, AQuestionMarkStandsForACharacterTheCodePageCannotHold)
{
    EXPECT_TRUE(HoldsUnmappedChar("F?re.svp"));
    EXPECT_FALSE(HoldsUnmappedChar(kHyou + ".svp"));
}

TEST(CodePageText, UnderUtf8NamesAreConvertedWithoutBestFitRulesOrAQuestionMark)
{
    NameConversion utf8 = NameConversionFor(kUtf8CodePage);
    EXPECT_EQ(utf8.flags & kNoBestFitChars, 0u) << "refused under UTF-8: every name would be \"?\"";
    EXPECT_EQ(utf8.defaultChar, nullptr) << "refused under UTF-8 as well";
    EXPECT_EQ(utf8.flags, kErrInvalidChars) << "half a surrogate pair fails instead of naming another file";
}

TEST(CodePageText, OtherCodePagesTakeNoLookAlikesAndMarkWhatIsMissing)
{
    for (unsigned codePage : {1252u, 1251u, 932u, 936u, 949u}) {
        NameConversion conversion = NameConversionFor(codePage);
        EXPECT_EQ(conversion.flags, kNoBestFitChars) << codePage;
        EXPECT_STREQ(conversion.defaultChar, "?") << codePage;
    }
}
