#include <gtest/gtest.h>
#include <string>
#include "framework/CProfileFile.h"
#include "framework/ResString.h"
#include "res/resource.h"
#include "tests/TempFolder.h"

TEST(CProfileFile, WritesCreateTheFileAndReadsReturnTheValue)
{
    TempFolder folder;
    CProfileFile profile(folder / "settings.ini");
    EXPECT_EQ(profile.GetString("VisCache", "Fire"), "");
    EXPECT_FALSE(folder.Exists("settings.ini"));
    ASSERT_TRUE(profile.WriteString("VisCache", "Fire", "Fire Storm 2"));
    EXPECT_EQ(profile.GetString("VisCache", "Fire"), "Fire Storm 2");
    EXPECT_EQ(profile.GetString("LockedVis", "Fire"), "");
}

TEST(CProfileFile, LongValuesComeBackCutTo4095Characters)
{
    TempFolder folder;
    CProfileFile profile(folder / "settings.ini");
    profile.WriteString("VisCache", "Long", std::string(6000, 'x'));
    EXPECT_EQ(profile.GetString("VisCache", "Long"), std::string(4095, 'x'));
}

TEST(CProfileFile, WholeTextKeepsWhatItHoldsAndIsReadAtOnceByTheKeyReads)
{
    TempFolder folder;
    CProfileFile profile(folder / "settings.ini");
    EXPECT_EQ(profile.ReadText(), "");
    // The key reads keep the file they read; each whole-text write follows a
    // key write closely, within the file system's clock tick as often as not.
    for (int round = 0; round < 20; ++round) {
        ASSERT_TRUE(profile.WriteString("VisCache", "Fire", "key write " + std::to_string(round)));
        std::string text = "[VisCache]\r\nFire=whole text " + std::to_string(round) + "\r\n";
        ASSERT_TRUE(profile.WriteText(text));
        EXPECT_EQ(profile.ReadText(), text);
        EXPECT_EQ(profile.GetString("VisCache", "Fire"), "whole text " + std::to_string(round)) << round;
    }
    ASSERT_TRUE(profile.WriteText(""));
    EXPECT_EQ(profile.GetString("VisCache", "Fire"), "") << "a shorter text leaves nothing behind";
}

TEST(ResString, LoadsProgramTextsAndFillsInTheArgument)
{
    EXPECT_EQ(LoadResString(IDS_TITLE), "BETA Orbiquel 0.8");
    EXPECT_EQ(LoadResString(IDS_ABOUTBOX), "Inf&o \xFC" "ber Orbiquel...");
    EXPECT_EQ(FormatResString1(IDS_TAG_FAILED, "004_%1.svp"),
              "Orbiquel was unable to tag the plugin '004_%1.svp'.\n"
              "Click OK to continue with next plugin or 'Cancel' to... cancel!");
    EXPECT_EQ(LoadResString(9999), "");
}
