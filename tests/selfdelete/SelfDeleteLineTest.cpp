#include <gtest/gtest.h>
#include <string>
#include "selfdelete/SelfDeleteLine.h"
#include "tests/Cp932.h"

namespace {
// What the copy sees: its command line after its own (quoted) path.
std::string ArgumentsOf(const std::string& commandLine)
{
    size_t close = commandLine.find('"', 1);
    return commandLine.substr(close + 2);
}

bool Parses(const std::string& arguments)
{
    SelfDeleteLine line;
    return ParseSelfDeleteLine(arguments, line);
}
}

TEST(SelfDeleteLine, PathsWithBlanksSurviveTheCopysCommandLine)
{
    SelfDeleteLine sent{420, "C:\\Program Files\\My Tools\\Orbiquel.exe", SD_CLOSEMAIN};
    std::string command = FormatSelfDeleteLine("C:\\Documents and Settings\\me\\Temp\\Del1A.tmp", sent);
    EXPECT_EQ(command, "\"C:\\Documents and Settings\\me\\Temp\\Del1A.tmp\" /SelfDelete 420 "
                       "\"C:\\Program Files\\My Tools\\Orbiquel.exe\" 2");
    SelfDeleteLine read;
    ASSERT_TRUE(ParseSelfDeleteLine(ArgumentsOf(command), read));
    EXPECT_EQ(read.process, 420);
    EXPECT_EQ(read.path, sent.path);
    EXPECT_EQ(read.flags, sent.flags);
}

TEST(SelfDeleteLine, NumbersKeepTheirWholeRange)
{
    SelfDeleteLine sent{-2147483647 - 1, "C:\\a.exe", 4294967295u};
    SelfDeleteLine read;
    ASSERT_TRUE(ParseSelfDeleteLine(ArgumentsOf(FormatSelfDeleteLine("C:\\Del.tmp", sent)), read));
    EXPECT_EQ(read.process, sent.process);
    EXPECT_EQ(read.flags, sent.flags);
}

TEST(SelfDeleteLine, AnUnquotedPathWithoutBlanksIsStillRead)
{
    SelfDeleteLine read;
    ASSERT_TRUE(ParseSelfDeleteLine("  /SelfDelete\t-12 C:\\Tools\\Orbiquel.exe 3  ", read));
    EXPECT_EQ(read.process, -12);
    EXPECT_EQ(read.path, "C:\\Tools\\Orbiquel.exe");
    EXPECT_EQ(read.flags, 3u);
}

TEST(SelfDeleteLine, LinesThatAreNotExactlyTheFourFieldsStartTheProgramNormally)
{
    EXPECT_FALSE(Parses(""));
    EXPECT_FALSE(Parses("/SelfDelete a b c"));
    EXPECT_FALSE(Parses("/Other 420 \"C:\\x.exe\" 0"));
    EXPECT_FALSE(Parses("/selfdelete 420 \"C:\\x.exe\" 0"));
    EXPECT_FALSE(Parses("/SelfDelete 420 \"C:\\x.exe\""));
    // The old unquoted form breaks apart at the blank.
    EXPECT_FALSE(Parses("/SelfDelete 420 C:\\Program Files\\x.exe 0"));
    EXPECT_FALSE(Parses("/SelfDelete 420 \"C:\\Program Files\\x.exe 0"));
    EXPECT_FALSE(Parses("/SelfDelete 420 \"\" 0"));
    EXPECT_FALSE(Parses("/SelfDelete 420x \"C:\\x.exe\" 0"));
    EXPECT_FALSE(Parses("/SelfDelete - \"C:\\x.exe\" 0"));
    EXPECT_FALSE(Parses("/SelfDelete 420 \"C:\\x.exe\" -2"));
    EXPECT_FALSE(Parses("/SelfDelete 2147483648 \"C:\\x.exe\" 0"));
    EXPECT_FALSE(Parses("/SelfDelete 420 \"C:\\x.exe\" 4294967296"));
    EXPECT_FALSE(Parses("/SelfDelete 420 \"C:\\x.exe\" 0 C:\\y.exe"));
    EXPECT_FALSE(Parses("/SelfDelete 420 \"C:\\" + std::string(260, 'x') + "\" 0"));
}

TEST(ImageIsFile, MatchesTheDevicePathOfTheSameFileWithoutRegardToCase)
{
    const std::string volume = "\\Device\\HarddiskVolume2";
    EXPECT_TRUE(ImageIsFile(volume + "\\Program Files\\Orbiquel\\Orbiquel.exe", volume,
                            "C:\\Program Files\\Orbiquel\\Orbiquel.exe"));
    EXPECT_TRUE(ImageIsFile(volume + "\\TOOLS\\ORBIQUEL.EXE", volume, "c:\\tools\\orbiquel.exe"));
    EXPECT_FALSE(ImageIsFile(volume + "\\Tools\\Orbiquel.exe", volume, "C:\\Tools\\Other.exe"));
    EXPECT_FALSE(ImageIsFile(volume + "\\Tools\\Orbiquel.exe", "\\Device\\HarddiskVolume1", "C:\\Tools\\Orbiquel.exe"));
    EXPECT_FALSE(ImageIsFile(volume + "\\Tools\\Orbiquel.exe", volume, "C:\\Tools\\Orbiquel.exe.bak"));
    // ア and ヂ differ only in the case of their second byte, a letter.
    EXPECT_FALSE(ImageIsFile(volume + "\\" + cp932::kA + "\\x.exe", volume, "C:\\\x83\x61\\x.exe", Cp932LeadByte));
    EXPECT_TRUE(ImageIsFile(volume + "\\" + cp932::kA + "\\X.EXE", volume, "C:\\" + cp932::kA + "\\x.exe",
                            Cp932LeadByte));
}

TEST(ImageIsFile, OnlyFullPathsOnADriveAreTrusted)
{
    const std::string volume = "\\Device\\HarddiskVolume2";
    EXPECT_FALSE(ImageIsFile(volume + "\\Orbiquel.exe", volume, "Orbiquel.exe"));
    EXPECT_FALSE(ImageIsFile(volume + "Orbiquel.exe", volume, "C:Orbiquel.exe"));
    EXPECT_FALSE(ImageIsFile("\\Device\\Mup\\server\\share\\Orbiquel.exe", "", "\\\\server\\share\\Orbiquel.exe"));
    EXPECT_EQ(DriveOfPath("D:\\x.exe"), "D:");
    EXPECT_EQ(DriveOfPath("\\\\server\\share\\x.exe"), "");
}
