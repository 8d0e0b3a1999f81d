#include <gtest/gtest.h>
#include "app/AppPaths.h"

TEST(AppPaths, SettingsFileIsTheLowerCasedExecutablePathWithIni)
{
    EXPECT_EQ(SettingsPathFor("C:\\Tools\\MANAGER.EXE"), "c:\\tools\\manager.ini");
    EXPECT_EQ(SettingsPathFor("C:\\Tools\\Orbiquel.exe"), "c:\\tools\\orbiquel.ini");
}

TEST(AppPaths, EveryExeInThePathIsReplaced)
{
    EXPECT_EQ(SettingsPathFor("D:\\Old.exe.Files\\Tool.Exe"), "d:\\old.ini.files\\tool.ini");
    EXPECT_EQ(ReadmePathFor("D:\\Old.exe.Files\\TOOL.EXE"), "d:\\old.txt.files\\tool.txt");
}

TEST(AppPaths, ReplacementsDoNotChainIntoEachOther)
{
    // ".exe.exe" holds two separate occurrences, not one that reappears.
    EXPECT_EQ(SettingsPathFor("C:\\a.exe.exe"), "c:\\a.ini.ini");
    EXPECT_EQ(SettingsPathFor("C:\\noextension"), "c:\\noextension");
}
