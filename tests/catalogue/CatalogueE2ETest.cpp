// The catalogue as the user meets it: the real program on a Vis folder, its
// rows read from outside, its warnings dismissed with real clicks.
#include <gtest/gtest.h>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>
#include "testing/harness/DesktopSession.h"
#include "tests/Picture.h"
#include "tests/SmallDisk.h"
#include "tests/catalogue/VisLayout.h"

using namespace e2e;
namespace fs = std::filesystem;

namespace {
constexpr int kList = 1000;
constexpr int kSaveButton = 1;
constexpr int kCancelButton = 1001;
const char kApplicationCaption[] = "Orbiquel";

struct Row {
    std::string text;
    int image;
    std::string file;
    unsigned long flags;
};

bool operator==(const Row& a, const Row& b)
{
    return a.text == b.text && a.image == b.image && a.file == b.file && a.flags == b.flags;
}

std::ostream& operator<<(std::ostream& out, const Row& row)
{
    return out << "{\"" << row.text << "\", image " << row.image << ", \"" << row.file << "\", flags " << row.flags
               << "}";
}

const std::vector<Row> kBuiltinRows = {
    {"Waveform 1.1", 2, "", 1}, {"Spectrum 1.0", 2, "", 1}, {"Spectrum 2.0", 2, "", 1}, {"VU Sweep 1.1", 2, "", 1}};

std::string NoNameMessage(const std::vector<std::string>& lines)
{
    std::string list;
    for (const std::string& line : lines)
        list += line + "\n";
    return "Orbiquel could not determine the names of these visual plugin files:\n" + list +
           "Their file names will be used instead but Orbiquel will not work properly. Please press F1 to show "
           "the readme file and read chapter 'Problems' for further information.";
}

// How many pixels of the area show the amber of a plug-in that could not be asked for its name.
int AmberPixels(const Picture& shot, const Rect& area)
{
    int amber = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            unsigned pixel = shot.Pixel(x, y);
            unsigned red = pixel >> 16, green = pixel >> 8 & 0xFF, blue = pixel & 0xFF;
            amber += red > 200 && green > 110 && green < 190 && blue < 110 ? 1 : 0;
        }
    }
    return amber;
}

std::string TestName()
{
    return ::testing::UnitTest::GetInstance()->current_test_info()->name();
}

// The rows as the list holds them; every one must point at its record, at its own load index.
std::vector<Row> ReadRows(DesktopSession& session, const WindowInfo& main)
{
    std::vector<Row> rows;
    for (const ListRow& row : session.Rows(session.Control(main.handle, kList).handle)) {
        EXPECT_TRUE(row.hasRecord) << "row " << row.index;
        EXPECT_EQ(row.loadIndex, row.index);
        rows.push_back({row.text, row.image, row.file, row.flags});
    }
    return rows;
}

// Every row as the list shows it: its name, a list item, checked while its lamp is on.
void ExpectHeardAsShown(const std::vector<AccessibleRow>& heard, const std::vector<Row>& shown)
{
    const long kListItem = 0x22;          // ROLE_SYSTEM_LISTITEM
    const unsigned long kChecked = 0x10;  // STATE_SYSTEM_CHECKED
    ASSERT_EQ(heard.size(), shown.size());
    for (size_t row = 0; row < shown.size(); ++row) {
        EXPECT_EQ(heard[row].name, shown[row].text) << "row " << row;
        EXPECT_EQ(heard[row].role, kListItem) << "row " << row;
        EXPECT_EQ((heard[row].state & kChecked) != 0, (shown[row].flags & 1) != 0) << "row " << row;
    }
}

// Dismisses every name warning with a click on OK, in the order shown; returns their messages.
std::vector<std::string> DismissNameWarnings(DesktopSession& session, int expected)
{
    std::vector<std::string> messages;
    for (int shown = 0; shown < expected; ++shown) {
        auto box = session.WaitForDialog(kApplicationCaption, 60000);
        if (!box)
            break;
        EXPECT_EQ(box->icon, "exclamation");
        messages.push_back(box->Message());
        session.Click(box->Button("OK").window.Center());
        EXPECT_TRUE(session.WaitForWindowGone(box->window.handle)) << "OK left the warning open";
    }
    return messages;
}

void ExpectNoMoreMessages(DesktopSession& session)
{
    auto extra = session.WaitForDialog(kApplicationCaption, 2000);
    EXPECT_FALSE(extra) << "unexpected message: " << (extra ? extra->Message() : "");
}

std::string SettingsText(const DesktopSession& session)
{
    std::ifstream settings(session.ProgramFolder() + "/orbiquel.ini", std::ios::binary);
    std::stringstream text;
    text << settings.rdbuf();
    return text.str();
}

int LoadCount(const std::string& loadsFile)
{
    std::ifstream file(loadsFile);
    int loads = 0;
    for (std::string line; std::getline(file, line);)
        ++loads;
    return loads;
}
}

// A plug-in that answers an empty name (null or blank) counts as unnamed too.
TEST(CatalogueE2E, MixedVisFolderGivesTheExpectedRowsWithOneWarningPerUnnamedPlugin)
{
    DesktopSession session;
    session.InstallHost();
    // Wine, like NTFS, enumerates a folder in name order: the rows follow it.
    LayOutVisFolder(session.VisFolder(),
                    "nullrecord|007_Blank.svp\n"
                    "named|012_Fire.svp|Fire Storm\n"
                    "crashquery|020_Crash.svp\n"
                    "x64|030_Wide.svp\n"
                    "arm64|031_Arm.svp\n"
                    "program|032_Program.svp\n"
                    "cutshort|033_Cut.svp\n"
                    "needslibrary|034_Rings.svp\n"
                    "noexport|035_Other.svp\n"
                    "failinit|036_Fail.svp\n"
                    "named|Deep/deep.svp_disabled|Deep Sea\n"
                    "file|Deep/notes.txt|not a plug-in\n"
                    "named|Ember.SVP|Ignored\n"
                    "named|Glow.svp.bak|Ignored\n"
                    "named|Ice.svp_disabled|Ice Age\n"
                    "notlibrary|Junk.svp\n"
                    "nullname|NoName.svp\n"
                    "named|Quiet.svp_disabled|\n"
                    "file|TextOnly/notes.txt|not a plug-in\n"
                    "folder|Zero\n"
                    "file|readme.txt|not a plug-in\n");

    session.StartProgram();
    std::vector<std::string> messages = DismissNameWarnings(session, 1);
    WindowInfo main = session.WaitForMainWindow();
    ExpectNoMoreMessages(session);

    EXPECT_EQ(messages, (std::vector<std::string>{NoNameMessage({
                            "007_Blank.svp: gave no name.",
                            "020_Crash.svp: crashed when it was asked for its name.",
                            "030_Wide.svp: built for 64-bit Windows; Melodrift cannot load it.",
                            "031_Arm.svp: built for ARM64 Windows; Melodrift cannot load it.",
                            "032_Program.svp: is a program, not a plug-in library.",
                            "033_Cut.svp: is damaged or cut short.",
                            "034_Rings.svp: needs ORBMISS71.DLL, which is not installed.",
                            "035_Other.svp: has no \"QueryModule\": it is not a Melodrift visual plug-in.",
                            "036_Fail.svp: failed or crashed while it was loaded.",
                            "Junk.svp: is not a Windows program file.",
                            "NoName.svp: gave no name.",
                            "Quiet.svp_disabled: gave no name.",
                        })}))
        << "one message for the whole start, a line for each plug-in";
    // Enabled, and no name to be had.
    constexpr unsigned long kNoName = 1 | 8;
    std::vector<Row> expected = kBuiltinRows;
    expected.insert(expected.end(), {
                                        {"007_Blank", 0, "007_Blank.svp", kNoName},
                                        {"Fire Storm", 0, "012_Fire.svp", 1},
                                        {"020_Crash", 0, "020_Crash.svp", kNoName},
                                        {"030_Wide", 0, "030_Wide.svp", kNoName},
                                        {"031_Arm", 0, "031_Arm.svp", kNoName},
                                        {"032_Program", 0, "032_Program.svp", kNoName},
                                        {"033_Cut", 0, "033_Cut.svp", kNoName},
                                        {"034_Rings", 0, "034_Rings.svp", kNoName},
                                        {"035_Other", 0, "035_Other.svp", kNoName},
                                        {"036_Fail", 0, "036_Fail.svp", kNoName},
                                        {"Deep Sea", 1, "Deep\\deep.svp_disabled", 2},
                                        {"Ice Age", 1, "Ice.svp_disabled", 2},
                                        {"Junk", 0, "Junk.svp", kNoName},
                                        {"NoName", 0, "NoName.svp", kNoName},
                                        {"Quiet", 1, "Quiet.svp_disabled", 2 | 8},
                                    });
    EXPECT_EQ(ReadRows(session, main), expected);
    std::string settings = SettingsText(session);
    EXPECT_NE(settings.find("Fire=Fire Storm\r\n"), std::string::npos);
    EXPECT_EQ(settings.find("NoName"), std::string::npos) << "nothing cached for an empty name";
    EXPECT_EQ(settings.find("Quiet"), std::string::npos) << "nothing cached for an empty name";

    // The row of a plug-in that gave no name stands apart, and its tip says why.
    WindowInfo list = session.Control(main.handle, kList);
    std::vector<ListRow> rows = session.Rows(list.handle);
    Picture shot(session.Screenshot(TestName()));
    EXPECT_GT(AmberPixels(shot, rows[7].bounds), 20) << "030_Wide";
    EXPECT_EQ(AmberPixels(shot, rows[5].bounds), 0) << "Fire Storm";
    session.MouseMove({rows[7].icon.right + 16, rows[7].bounds.Center().y});
    std::string tip;
    for (int wait = 0; wait < 50 && tip.empty(); ++wait) {
        auto window = session.WaitForWindow("", "tooltips_class32", 100);
        tip = window ? window->text : "";
    }
    EXPECT_EQ(tip, "030_Wide.svp\nbuilt for 64-bit Windows; Melodrift cannot load it.");

    // A screen reader hears each row's name and lamp, and why a plug-in cannot be loaded.
    ExpectHeardAsShown(session.AccessibleRows(list.handle, true), expected);
    ExpectHeardAsShown(session.AccessibleRows(list.handle), expected);
    std::vector<AccessibleRow> heard = session.AccessibleRows(list.handle);
    EXPECT_EQ(heard[7].description, "Cannot be used: built for 64-bit Windows; Melodrift cannot load it.");
    EXPECT_EQ(heard[5].description, "") << "Fire Storm";
    EXPECT_EQ(heard[5].defaultAction, "Make current");
    EXPECT_EQ(heard[15].defaultAction, "") << "Ice Age, switched off: the host never loaded it";
    // Its default action is the double-click's.
    session.DoDefaultAction(list.handle, 5);
    for (int wait = 0; wait < 50 && heard[5].description.empty(); ++wait)
        heard = session.AccessibleRows(list.handle);
    EXPECT_EQ(heard[5].description, "Current visual.");
    EXPECT_TRUE(session.Rows(list.handle)[5].flags & 0x10000000) << "VIS_CURRENT";

    // Save renames them like any other, in their order and states.
    session.Click(session.Control(main.handle, kSaveButton).window.Center());
    ASSERT_TRUE(session.WaitForProgramExit(30000));
    std::vector<std::string> saved;
    for (const auto& entry : std::filesystem::directory_iterator(session.VisFolder())) {
        std::string name = entry.path().filename().string();
        if (name.size() > 4 && name[3] == '_')
            saved.push_back(name);
    }
    std::sort(saved.begin(), saved.end());
    EXPECT_EQ(saved, (std::vector<std::string>{"004_Blank.svp", "005_Fire.svp", "006_Crash.svp", "007_Wide.svp",
                                               "008_Arm.svp", "009_Program.svp", "010_Cut.svp", "011_Rings.svp",
                                               "012_Other.svp", "013_Fail.svp", "014_Deep", "015_Ice.svp_disabled",
                                               "016_Junk.svp", "017_NoName.svp", "018_Quiet.svp_disabled"}));
}

TEST(CatalogueE2E, SecondStartTakesTheNamesFromTheSettingsFileWithoutLoadingPlugins)
{
    DesktopSession session;
    session.InstallHost();
    LayOutVisFolder(session.VisFolder(), "named|012_Fire.svp|Fire Storm\nnamed|Ice.svp_disabled|Ice Age\n");

    for (int start = 1; start <= 2; ++start) {
        session.StartProgram();
        WindowInfo main = session.WaitForMainWindow();
        ExpectNoMoreMessages(session);
        std::vector<Row> rows = ReadRows(session, main);
        ASSERT_EQ(rows.size(), 6u);
        EXPECT_EQ(rows[4].text, "Fire Storm");
        EXPECT_EQ(rows[5].text, "Ice Age");
        session.Click(session.Control(main.handle, kCancelButton).window.Center());
        ASSERT_TRUE(session.WaitForProgramExit());
        EXPECT_EQ(LoadCount(session.VisFolder() + "/Fire.loads"), 1) << "start " << start;
        EXPECT_EQ(LoadCount(session.VisFolder() + "/Ice.loads"), 1) << "start " << start;
    }
    std::string settings = SettingsText(session);
    EXPECT_NE(settings.find("[VisCache]"), std::string::npos);
    EXPECT_NE(settings.find("Fire=Fire Storm"), std::string::npos);
    EXPECT_NE(settings.find("Ice=Ice Age"), std::string::npos);
}

class CatalogueE2EWithoutPlugins : public ::testing::TestWithParam<bool> {};

TEST_P(CatalogueE2EWithoutPlugins, GivesTheFourBuiltinRowsAndNoMessage)
{
    bool visFolderExists = GetParam();
    DesktopSession session;
    session.InstallHost();
    if (!visFolderExists)
        fs::remove_all(session.VisFolder());

    session.StartProgram();
    WindowInfo main = session.WaitForMainWindow();
    ExpectNoMoreMessages(session);
    EXPECT_EQ(ReadRows(session, main), kBuiltinRows);
    EXPECT_TRUE(session.FilesBesideProgram().empty()) << "nothing to cache, nothing written";
}

INSTANTIATE_TEST_SUITE_P(EmptyOrMissing, CatalogueE2EWithoutPlugins, ::testing::Bool());

// The settings file on a full disk: the names are shown, the cache is not
// written, and the user's own lines stay as they were.
TEST(CatalogueE2E, FullDiskLeavesTheSettingsFileAsItWasAndTheRowsNamed)
{
    DesktopSession session;
    session.InstallHost();
    LayOutVisFolder(session.VisFolder(), "named|012_Fire.svp|Fire Storm\nnamed|Ice.svp_disabled|Ice Age\n"
                                         "notlibrary|Junk.svp\n");
    SmallDisk disk(session.ProgramFolder());
    if (!disk.Mounted())
        GTEST_SKIP() << "cannot mount a tmpfs over the program's folder: " << disk.Error();
    session.PlaceProgram();
    // New cache lines go before the names by hand, and the file fills its
    // last page: written in place, it would lose its end.
    std::string settings = "[VisCache]\r\nGlow=Glow Worm\r\n\r\n[LockedVis]\r\nJunk=Junk by hand\r\n";
    for (int line = 1; line <= 40; ++line)
        settings += "Locked" + std::to_string(line) + "=Name given by hand " + std::to_string(line) + "\r\n";
    settings += ";" + std::string(4096 - settings.size() - 3, '-') + "\r\n";
    std::ofstream(session.ProgramFolder() + "/orbiquel.ini", std::ios::binary) << settings;
    ASSERT_TRUE(disk.Fill(session.ProgramFolder() + "/filler")) << "the disk did not fill up";

    session.StartPlacedProgram();
    WindowInfo main = session.WaitForMainWindow();
    ExpectNoMoreMessages(session);
    std::vector<Row> expected = kBuiltinRows;
    expected.insert(expected.end(), {{"Fire Storm", 0, "012_Fire.svp", 1},
                                     {"Ice Age", 1, "Ice.svp_disabled", 2},
                                     {"Junk by hand", 0, "Junk.svp", 1}});
    EXPECT_EQ(ReadRows(session, main), expected);
    session.Click(session.Control(main.handle, kCancelButton).window.Center());
    ASSERT_TRUE(session.WaitForProgramExit());

    EXPECT_EQ(SettingsText(session), settings);
    std::vector<std::string> files = session.FilesBesideProgram();
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::string>{"filler", "orbiquel.ini"})) << "no temporary file left behind";
}
