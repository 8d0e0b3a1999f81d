#include <gtest/gtest.h>
#include "app/AppPaths.h"
#include "tests/Cp932.h"

TEST(AppPaths, SettingsFileIsTheLowerCasedExecutablePathWithIni)
{
    EXPECT_EQ(SettingsPathFor("C:\\Tools\\MANAGER.EXE"), "c:\\tools\\manager.ini");
    EXPECT_EQ(SettingsPathFor("C:\\Tools\\Orbiquel.exe"), "c:\\tools\\orbiquel.ini");
}

TEST(AppPaths, EveryExeInTheSettingsPathIsReplaced)
{
    EXPECT_EQ(SettingsPathFor("D:\\Old.exe.Files\\Tool.Exe"), "d:\\old.ini.files\\tool.ini");
}

TEST(AppPaths, ReplacementsDoNotChainIntoEachOther)
{
    // ".exe.exe" holds two separate occurrences, not one that reappears.
    EXPECT_EQ(SettingsPathFor("C:\\a.exe.exe"), "c:\\a.ini.ini");
    EXPECT_EQ(SettingsPathFor("C:\\noextension"), "c:\\noextension");
}

TEST(AppPaths, ReadmeReplacesOnlyTheExecutablesOwnExtension)
{
    EXPECT_EQ(ReadmePathFor("C:\\TOOLS\\TOOL.EXE"), "c:\\tools\\tool.txt");
    EXPECT_EQ(ReadmePathFor("C:\\my.exes\\Orbiquel.exe"), "c:\\my.exes\\orbiquel.txt");
    EXPECT_EQ(ReadmePathFor("D:\\Old.exe.Files\\Tool.exe.exe"), "d:\\old.exe.files\\tool.exe.txt");
    EXPECT_EQ(ReadmePathFor("C:\\Program Files\\v1.2\\Orbiquel"), "c:\\program files\\v1.2\\orbiquel.txt");
    EXPECT_EQ(JournalPathFor("c:\\my.ini\\orbiquel.ini"), "c:\\my.ini\\orbiquel-last-save.txt");
}

TEST(AppPaths, JapaneseFoldersKeepTheirLettersWhenTheRestIsLowerCased)
{
    const std::string folder = "C:\\" + cp932::kA + "PURI\\";
    const std::string lower = "c:\\" + cp932::kA + "puri\\";
    EXPECT_EQ(SettingsPathFor(folder + "Orbiquel.EXE", Cp932LeadByte), lower + "orbiquel.ini");
    EXPECT_EQ(ReadmePathFor(folder + "Orbiquel.EXE", Cp932LeadByte), lower + "orbiquel.txt");
}
