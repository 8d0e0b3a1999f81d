#include <gtest/gtest.h>
#include <string>
#include "catalogue/PluginFileName.h"
#include "catalogue/ProfileText.h"

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

TEST(ExtensionGrammar, SubFolderPluginIsDisabledByItsFileEnding)
{
    EXPECT_EQ(StateOfFolderPlugin("\\deep.svp_disabled"), PluginNameState::Disabled);
    EXPECT_EQ(StateOfFolderPlugin("\\deep.svpack_disabled"), PluginNameState::Disabled);
    EXPECT_EQ(StateOfFolderPlugin("\\deep.svp"), PluginNameState::Enabled);
    EXPECT_EQ(StateOfFolderPlugin("\\deep.svp_DISABLED"), PluginNameState::Enabled);
    EXPECT_EQ(StateOfFolderPlugin("\\deep.svp_disabled.bak"), PluginNameState::Enabled);
    EXPECT_EQ(StateOfFolderPlugin("disabled"), PluginNameState::Enabled);
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
