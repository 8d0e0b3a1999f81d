#include <gtest/gtest.h>
#include "host/HostPaths.h"
#include "tests/Cp932.h"

TEST(HostPaths, DerivesExecutableAndVisFolderFromTheInstallFolder)
{
    HostPaths paths = MakeHostPaths("C:\\Player");
    EXPECT_EQ(paths.folder, "C:\\Player\\");
    EXPECT_EQ(paths.executable, "C:\\Player\\Melodrift.exe");
    EXPECT_EQ(paths.visFolder, "C:\\Player\\Vis\\");
}

TEST(HostPaths, AFolderEndingInABackslashGivesTheSamePaths)
{
    HostPaths plain = MakeHostPaths("C:\\Player");
    HostPaths slashed = MakeHostPaths("C:\\Player\\");
    EXPECT_EQ(slashed.folder, plain.folder);
    EXPECT_EQ(slashed.executable, plain.executable);
    EXPECT_EQ(slashed.visFolder, plain.visFolder);
}

TEST(HostPaths, AFolderEndingInAJapaneseCharacterStillGetsItsBackslash)
{
    const std::string folder = "C:\\" + cp932::kHyou;
    EXPECT_EQ(MakeHostPaths(folder, Cp932LeadByte).visFolder, folder + "\\Vis\\");
    EXPECT_EQ(MakeHostPaths(folder + "\\", Cp932LeadByte).folder, folder + "\\");
}
