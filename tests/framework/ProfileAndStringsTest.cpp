#include <gtest/gtest.h>
#include <set>
#include <string>
#include "framework/CProfileFile.h"
#include "framework/ResString.h"
#include "res/resource.h"
#include "tests/FullDiskProfileFile.h"
#include "tests/TempFiles.h"
#include "tests/TempFolder.h"
#include "tests/Utf16Text.h"

namespace {
const char kUserText[] = "[LockedVis]\r\nFire=Fire Storm\r\n; kept by hand\r\n\r\n[VisCache]\r\nIce=Ice Age\r\n";

std::string TextOf(const CProfileFile& profile)
{
    std::string text;
    EXPECT_TRUE(profile.ReadText(text));
    return text;
}
}

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
    EXPECT_EQ(TextOf(profile), "");
    // The key reads keep the file they read; each whole-text write follows a
    // key write closely, within the file system's clock tick as often as not.
    for (int round = 0; round < 20; ++round) {
        ASSERT_TRUE(profile.WriteString("VisCache", "Fire", "key write " + std::to_string(round)));
        std::string text = "[VisCache]\r\nFire=whole text " + std::to_string(round) + "\r\n";
        ASSERT_TRUE(profile.WriteText(text));
        EXPECT_EQ(TextOf(profile), text);
        EXPECT_EQ(profile.GetString("VisCache", "Fire"), "whole text " + std::to_string(round)) << round;
    }
    ASSERT_TRUE(profile.WriteText(""));
    EXPECT_EQ(profile.GetString("VisCache", "Fire"), "") << "a shorter text leaves nothing behind";
}

TEST(CProfileFile, FileHeldByAnotherProgramReadsAsUnreadableNotEmpty)
{
    TempFolder folder;
    folder.WriteFile("settings.ini", kUserText);
    CProfileFile profile(folder / "settings.ini");
    HANDLE held = ::CreateFileA(profile.GetPath().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::string text = "stale";
    EXPECT_FALSE(profile.ReadText(text));
    EXPECT_EQ(text, "");
    EXPECT_FALSE(profile.WriteString("VisCache", "Fire", "Fire Storm"));
    ::CloseHandle(held);
    EXPECT_EQ(TextOf(profile), kUserText);
}

// Both writers stop where the disk is full: before anything, part-way, and one byte short.
TEST(CProfileFile, WriteThatFailsPartWayLeavesTheFileAsItWasAndNoTemporaryFile)
{
    TempFolder folder;
    folder.WriteFile("settings.ini", kUserText);
    std::string longer = std::string(kUserText) + "[VisCache]\r\nGlow=Glow\r\n";
    for (DWORD room : {DWORD{0}, DWORD{20}, static_cast<DWORD>(sizeof kUserText - 2)}) {
        FullDiskProfileFile profile(folder / "settings.ini", room);
        EXPECT_FALSE(profile.WriteText(longer)) << room;
        EXPECT_FALSE(profile.WriteString("VisCache", "Glow", "Glow")) << room;
        EXPECT_EQ(TextOf(profile), kUserText) << room;
        EXPECT_EQ(FilesMatching(folder.Path() + "\\"), std::set<std::string>{"settings.ini"}) << room;
    }
}

// The system's writer puts every line anew without its blanks, and no blank lines.
TEST(CProfileFile, KeyWritesKeepEveryLineInTheCodePageAndInUtf16)
{
    std::string text = "; kept by hand\r\n\r\n  [VisCache]  \r\n  Glow  =  \"Glow Worm\"  \r\nBare\r\n\r\n";
    text += "[LockedVis]\r\n";
    for (int line = 1; line <= 40; ++line)
        text += "Locked" + std::to_string(line) + "=Name given by hand " + std::to_string(line) + "\r\n";
    for (bool utf16 : {false, true}) {
        TempFolder folder;
        folder.WriteFile("settings.ini", utf16 ? Utf16File(Utf16Units(text)) : text);
        CProfileFile profile(folder / "settings.ini");
        EXPECT_TRUE(profile.WriteString("VisCache", "Fire", "  'Fire Storm'  ")) << utf16;
        EXPECT_TRUE(profile.WriteString("VisCache", "Glow", "G")) << "shorter than the value it replaces " << utf16;
        EXPECT_TRUE(profile.WriteString("VisCache", "Bare", "x")) << "a key that stood alone " << utf16;
        EXPECT_TRUE(profile.WriteString("Added", "Key", "Value")) << utf16;
        EXPECT_EQ(profile.GetString("VisCache", "Fire"), "Fire Storm");
        EXPECT_EQ(profile.GetString("VisCache", "Glow"), "G");
        EXPECT_EQ(profile.GetString("VisCache", "Bare"), "x");
        EXPECT_EQ(profile.GetString("LockedVis", "Locked40"), "Name given by hand 40");
        EXPECT_EQ(TextOf(profile).compare(0, 2, "\xFF\xFE") == 0, utf16);
        EXPECT_EQ(FilesMatching(folder.Path() + "\\"), std::set<std::string>{"settings.ini"});
    }
}

// Wine's writer ends a line at a NUL character, drops the rest, and reports success.
TEST(CProfileFile, KeyWriteThatWouldLoseTheUsersTextLeavesTheFileAsItWas)
{
    TempFolder folder;
    const std::string text("[VisCache]\r\nFire=Fire\0Storm\r\n", 29);
    folder.WriteFile("settings.ini", text);
    CProfileFile profile(folder / "settings.ini");
    EXPECT_FALSE(profile.WriteString("VisCache", "Ice", "Ice Age"));
    EXPECT_EQ(TextOf(profile), text);
    EXPECT_EQ(FilesMatching(folder.Path() + "\\"), std::set<std::string>{"settings.ini"});
}

TEST(CProfileFile, WritesKeepTheUsersAttributesAndLeaveAReadOnlyFileAlone)
{
    TempFolder folder;
    folder.WriteFile("settings.ini", kUserText);
    CProfileFile profile(folder / "settings.ini");
    const char* path = profile.GetPath().c_str();

    ASSERT_TRUE(::SetFileAttributesA(path, FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(profile.WriteText("[VisCache]\r\nFire=1\r\n"));
    ASSERT_TRUE(profile.WriteString("VisCache", "Ice", "2"));
    EXPECT_EQ(profile.GetString("VisCache", "Fire"), "1");
    EXPECT_EQ(profile.GetString("VisCache", "Ice"), "2");
    EXPECT_TRUE(::GetFileAttributesA(path) & FILE_ATTRIBUTE_HIDDEN);

    std::string before = TextOf(profile);
    ASSERT_TRUE(::SetFileAttributesA(path, FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(profile.WriteText("[VisCache]\r\n"));
    EXPECT_FALSE(profile.WriteString("VisCache", "Fire", "3"));
    EXPECT_EQ(TextOf(profile), before);
    EXPECT_EQ(FilesMatching(folder.Path() + "\\"), std::set<std::string>{"settings.ini"});
    ::SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
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
