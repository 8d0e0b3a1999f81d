#include <gtest/gtest.h>
#include <string>
#include "catalogue/PluginFileName.h"
#include "catalogue/ProfileText.h"
#include "tests/Cp932.h"

using namespace cp932;

namespace {
std::string KeyOf(const std::string& path)
{
    std::string key = "stale";
    EXPECT_TRUE(GetPluginKey(path, key)) << path;
    return key;
}
}

TEST(PluginKey, DropsFolderExtensionAndOneOrderTag)
{
    EXPECT_EQ(KeyOf("C:\\Player\\Vis\\012_Fire.svp"), "Fire");
    EXPECT_EQ(KeyOf("C:\\Player\\Vis\\Fire.svp"), "Fire");
    EXPECT_EQ(KeyOf("C:\\Player\\Vis\\Fire.svp_disabled"), "Fire");
    EXPECT_EQ(KeyOf("C:\\Player\\Vis\\005_Fire.svp_disabled"), "Fire");
    EXPECT_EQ(KeyOf("C:/Player/Vis/007_Fire.svp"), "Fire");
    EXPECT_EQ(KeyOf("Fire.svp"), "Fire");
    // Only a tag of exactly three digits, and only once.
    EXPECT_EQ(KeyOf("C:\\Vis\\0123_Fire.svp"), "0123_Fire");
    EXPECT_EQ(KeyOf("C:\\Vis\\001_002_Fire.svp"), "002_Fire");
    EXPECT_EQ(KeyOf("C:\\Vis\\12_Fire.svp"), "12_Fire");
    EXPECT_EQ(KeyOf("C:\\Vis\\01a_Fire.svp"), "01a_Fire");
    EXPECT_EQ(KeyOf("C:\\Vis\\012-Fire.svp"), "012-Fire");
}

TEST(PluginKey, SubFolderPluginKeysByItsFileNotItsFolder)
{
    EXPECT_EQ(KeyOf("C:\\Player\\Vis\\003_Deep\\deep.svp_disabled"), "deep");
    EXPECT_EQ(KeyOf("C:\\Player\\Vis\\My.Pack\\004_glow.svp"), "glow");
    EXPECT_EQ(KeyOf("C:\\Player\\Vis\\Pack\\glow"), "glow");
    EXPECT_EQ(KeyOf("C:\\Player\\Vis\\Pack\\glow.svp.bak"), "glow.svp");
}

TEST(PluginKey, JapaneseNamesAreCutAtTheirRealSeparatorsAndDots)
{
    std::string key;
    std::string vis = "C:\\" + kHyou + "\\Vis\\";
    EXPECT_TRUE(GetPluginKey(vis + kHyou + ".svp", key, Cp932LeadByte));
    EXPECT_EQ(key, kHyou);
    EXPECT_TRUE(GetPluginKey(vis + "012_" + kSo + ".svp_disabled", key, Cp932LeadByte));
    EXPECT_EQ(key, kSo);
    EXPECT_TRUE(GetPluginKey(vis + kSo + "\\" + kA + kDa + "1.svp", key, Cp932LeadByte));
    EXPECT_EQ(key, kA + kDa + "1");
    // Lower-cased a character at a time: ア's second byte is "A".
    EXPECT_EQ(MatchingKey(vis + "012_" + kA + "X.svp_disabled", Cp932LeadByte), kA + "x");
}

TEST(PluginKey, EmptyFileTitleIsRefused)
{
    std::string key = "stale";
    EXPECT_FALSE(GetPluginKey("C:\\Player\\Vis\\.svp", key));
    EXPECT_EQ(key, "");
    EXPECT_FALSE(GetPluginKey("C:\\Player\\Vis\\", key));
    EXPECT_FALSE(GetPluginKey("", key));
    // A bare tag still has a title; what is left of it is empty.
    EXPECT_TRUE(GetPluginKey("C:\\Vis\\012_.svp", key));
    EXPECT_EQ(key, "");
}

TEST(ExtensionGrammar, OnlyExactLowerCaseSvpNamesArePlugins)
{
    EXPECT_EQ(StateFromExtension(FileExtension("012_Fire.svp")), PluginNameState::Enabled);
    EXPECT_EQ(StateFromExtension(FileExtension("Fire.svp_disabled")), PluginNameState::Disabled);
    for (const char* ignored : {"Fire.SVP", "Fire.Svp", "Fire.svpx", "Fire.svp.bak", "Fire.SVP_DISABLED",
                                "Fire.svp_Disabled", "Fire", "svp", "Fire.svp_disabledx", "Fire.txt"})
        EXPECT_EQ(StateFromExtension(FileExtension(ignored)), PluginNameState::NotPlugin) << ignored;
}

TEST(ExtensionGrammar, ExtensionIsWhatFollowsTheLastDot)
{
    EXPECT_EQ(FileExtension("a.b.svp"), "svp");
    EXPECT_EQ(FileExtension("Fire"), "");
    EXPECT_EQ(FileExtension("Fire."), "");
    EXPECT_EQ(FileExtension(".svp"), "svp");
}

TEST(ExtensionGrammar, ANameIsDisabledByItsLastNineCharacters)
{
    EXPECT_TRUE(HasDisabledSuffix("\\deep.svp_disabled"));
    EXPECT_TRUE(HasDisabledSuffix("\\deep.svpack_disabled"));
    EXPECT_FALSE(HasDisabledSuffix("\\deep.svp"));
    EXPECT_FALSE(HasDisabledSuffix("\\deep.svp_DISABLED"));
    EXPECT_FALSE(HasDisabledSuffix("\\deep.svp_disabled.bak"));
    EXPECT_FALSE(HasDisabledSuffix("disabled"));
    // The underscore of the nine bytes is the second byte of a character.
    EXPECT_FALSE(HasDisabledSuffix("deep.svp" + kDa + "disabled", Cp932LeadByte));
    EXPECT_TRUE(HasDisabledSuffix(kDa + ".svp_disabled", Cp932LeadByte));
}

TEST(OrderTag, OnlyThreeDigitsAndAnUnderscoreAreATagAndOnlyThatIsReplaced)
{
    EXPECT_EQ(WithOrderTag(4, "Bars.svp"), "004_Bars.svp");
    EXPECT_EQ(WithOrderTag(4, "012_Bars.svp"), "004_Bars.svp");
    EXPECT_EQ(WithOrderTag(5, "007_012_x.svp"), "005_012_x.svp");
    EXPECT_EQ(WithOrderTag(1000, "Bars.svp"), "1000_Bars.svp");
    // Names whose first characters only look like a tag keep all of them.
    EXPECT_EQ(WithOrderTag(4, "01a_Fire.svp"), "004_01a_Fire.svp");
    EXPECT_EQ(WithOrderTag(4, "12_x.svp"), "004_12_x.svp");
    EXPECT_EQ(WithOrderTag(4, "0123_Fire.svp"), "004_0123_Fire.svp");
    EXPECT_EQ(WithOrderTag(4, "12" + kDa + "x.svp"), "004_12" + kDa + "x.svp");
    EXPECT_EQ(WithOrderTag(4, kDa + "12_x.svp"), "004_" + kDa + "12_x.svp");
    EXPECT_EQ(WithOrderTag(4, "012_" + kSo + ".svp"), "004_" + kSo + ".svp");
}

TEST(ProfileText, KeysTheFormatReadsBackUnchangedAreStorable)
{
    for (const char* key : {"Fire", "0123_Fire", "Fire and Ice", "a;b", "a[b]", "Fire]", "x"})
        EXPECT_TRUE(IsStorableProfileKey(key)) << key;
}

TEST(ProfileText, KeysTheFormatWouldMisreadAreNotStorable)
{
    for (const char* key : {"", "a=b", "=", ";Fire", "[Fire", "[VisCache]", " Fire", "Fire ", "\tFire",
                            "Fire\t", "Fi\nre", "Fi\rre", "Fi\x01re"})
        EXPECT_FALSE(IsStorableProfileKey(key)) << key;
}

TEST(ProfileText, ValuesWithLineBreaksAreNotStorable)
{
    EXPECT_TRUE(IsStorableProfileValue(""));
    EXPECT_TRUE(IsStorableProfileValue("Fire = Ice; [x]"));
    EXPECT_TRUE(IsStorableProfileValue(std::string(4095, 'x')));
    EXPECT_FALSE(IsStorableProfileValue("Fire\r\n[LockedVis]\r\nIce=Hacked"));
    EXPECT_FALSE(IsStorableProfileValue("Fire\n"));
    EXPECT_FALSE(IsStorableProfileValue("\rFire"));
}
