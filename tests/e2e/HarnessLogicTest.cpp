// The harness's own logic: the probe's line format and the answers built
// from it, drag paths, process matching, path mapping.
#include <gtest/gtest.h>
#include <algorithm>
#include "testing/harness/HarnessPaths.h"
#include "testing/harness/ProbeAnswers.h"
#include "testing/harness/ProcessScan.h"
#include "testing/harness/XdotoolCommands.h"
#include "testing/probe/ProbeRecord.h"

using namespace e2e;

TEST(ProbeRecord, TextsSurviveTheLineFormatWhateverBytesTheyHold)
{
    const std::string awkward = "Inf&o \xFC" "ber\ttab\nline\\back\rslash=equals";
    ProbeRecord record("item");
    record.Set("text", awkward).SetNumber("id", 16);
    std::string line = record.Format();
    EXPECT_EQ(line.find('\n'), std::string::npos);

    ProbeRecord back = ProbeRecord::Parse(line + "\r\n");
    EXPECT_EQ(back.Kind(), "item");
    EXPECT_EQ(back.Get("text"), awkward);
    EXPECT_EQ(back.GetNumber("id"), 16);
}

TEST(ProbeRecord, NumbersAreDecimalOrMarkedHexAndFallBackWhenMalformed)
{
    ProbeRecord record = ProbeRecord::FromArguments({"row", "index=012", "data=0x1F", "state=", "flags=12abc"});
    EXPECT_EQ(record.GetNumber("index"), 12);
    EXPECT_EQ(record.GetNumber("data"), 31);
    EXPECT_EQ(record.GetNumber("state", -1), -1);
    EXPECT_EQ(record.GetNumber("flags", -1), -1);
    EXPECT_EQ(record.GetNumber("missing", 7), 7);
    EXPECT_FALSE(record.Has("missing"));
}

TEST(ProbeRecord, ArgumentsWithoutValueAndRepeatedKeysKeepOneField)
{
    ProbeRecord record = ProbeRecord::FromArguments({"reg-delete", "key=HKCU\\A=B", "name", "key=HKCU\\C"});
    EXPECT_EQ(record.Get("key"), "HKCU\\C");
    EXPECT_TRUE(record.Has("name"));
    EXPECT_EQ(record.Fields().size(), 2u);
}

TEST(ProbeAnswers, RectanglesAndRowsComeOverIntact)
{
    EXPECT_EQ(ParseRect("-3,22,261,556").left, -3);
    EXPECT_EQ(ParseRect("-3,22,261,556").Height(), 534);
    EXPECT_EQ(ParseRect("1,2,3").Width(), 0);

    ListRow row = ToListRow(ProbeRecord::Parse(
        "row\tindex=5\ttext=Fire\timage=1\tstate=2\tdata=1234\trecord=1\tfile=Deep\\\\deep.svp_disabled"
        "\tflags=2\tloadIndex=7\tbounds=10,20,110,37\ticon=12,20,25,37"));
    EXPECT_EQ(row.index, 5);
    EXPECT_EQ(row.file, "Deep\\deep.svp_disabled");
    EXPECT_TRUE(row.hasRecord);
    EXPECT_EQ(row.flags, 2u);
    EXPECT_EQ(row.loadIndex, 7);
    EXPECT_TRUE(row.icon.Contains(row.icon.Center()));
    EXPECT_FALSE(row.icon.Contains({25, 30}));
}

TEST(ProbeAnswers, AMessageBoxShowsItsTextButtonsAndIcon)
{
    DialogInfo box = ToDialogInfo({ProbeRecord::Parse("window\tclass=#32770\ttext=Orbiquel"),
                                   ProbeRecord::Parse("child\tclass=Button\ttext=OK\tid=1\twindow=10,10,60,30"),
                                   ProbeRecord::Parse("child\tclass=Static\ttext=\tstyle=1342177283"),
                                   ProbeRecord::Parse("child\tclass=Static\ttext=The message."),
                                   ProbeRecord::Parse("icon\tkind=stop")});
    EXPECT_EQ(box.window.text, "Orbiquel");
    EXPECT_EQ(box.Message(), "The message.");
    EXPECT_EQ(box.icon, "stop");
    EXPECT_EQ(box.Button("OK").window.Center().x, 35);
    EXPECT_THROW(box.Button("Cancel"), std::runtime_error);
}

TEST(XdotoolCommands, ADragEndsExactlyOnItsTargetAfterTheRequestedSteps)
{
    std::vector<Point> path = DragPath({10, 100}, {13, 40}, 4);
    ASSERT_EQ(path.size(), 4u);
    EXPECT_EQ(path.back().x, 13);
    EXPECT_EQ(path.back().y, 40);
    for (size_t i = 1; i < path.size(); ++i)
        EXPECT_LT(path[i].y, path[i - 1].y);
    EXPECT_EQ(DragPath({0, 0}, {5, 5}, 0).size(), 1u);

    std::vector<std::string> drag = DragArguments("77", {1, 2}, {3, 4}, 2, 1);
    auto down = std::find(drag.begin(), drag.end(), "mousedown");
    auto up = std::find(drag.begin(), drag.end(), "mouseup");
    ASSERT_NE(down, drag.end());
    ASSERT_NE(up, drag.end());
    EXPECT_LT(down, up);
    EXPECT_EQ(std::count(drag.begin(), drag.end(), "mousemove"), 3);
}

TEST(ProcessScan, ACommandLineMatchesOnlyWhenItMentionsTheToken)
{
    std::string raw("wine\0explorer\0/desktop=orbiquel-e2e-7-1-42,1024x768\0", 50);
    EXPECT_TRUE(CommandLineMentions(raw, "orbiquel-e2e-7-1-42"));
    EXPECT_FALSE(CommandLineMentions(raw, "orbiquel-e2e-7-1-43"));
    EXPECT_FALSE(CommandLineMentions(raw, ""));
}

TEST(HarnessPaths, LinuxPathsAreReachedThroughDriveZ)
{
    EXPECT_EQ(ToWindowsPath("/tmp/run/app/Orbiquel.exe"), "Z:\\tmp\\run\\app\\Orbiquel.exe");
    EXPECT_NE(WinePrefix(96), WinePrefix(120));
    EXPECT_NE(WinePrefix(96), WinePrefix(96, "ja_JP.UTF-8"));
    EXPECT_NE(WinePrefix(96), WinePrefix(96, "", true));
}
