// Start-up and main window of the real program, with real input.
#include <gtest/gtest.h>
#include <string>
#include "testing/harness/DesktopSession.h"

using namespace e2e;

namespace {

constexpr int kSaveButton = 1;
constexpr int kCancelButton = 1001;
constexpr int kList = 1000;
constexpr int kAboutCommand = 16;
const char kMenuClass[] = "#32768"; // a popup menu, the system menu among them
const char kAboutItem[] = "Inf&o \xFC" "ber Orbiquel...";
const char kNoHostFolder[] = "The Melodrift directory could not be retrieved from the registry.";

std::string TestName()
{
    return ::testing::UnitTest::GetInstance()->current_test_info()->name();
}

// A control's rectangle relative to its dialog's client area.
Rect InClient(const WindowInfo& control, const WindowInfo& dialog)
{
    return {control.window.left - dialog.client.left, control.window.top - dialog.client.top,
            control.window.right - dialog.client.left, control.window.bottom - dialog.client.top};
}

Rect Units(int x, int y, int width, int height)
{
    return {x, y, x + width, y + height};
}

void ExpectSameRect(const Rect& actual, const Rect& expected, const std::string& what)
{
    EXPECT_EQ(actual.left, expected.left) << what;
    EXPECT_EQ(actual.top, expected.top) << what;
    EXPECT_EQ(actual.right, expected.right) << what;
    EXPECT_EQ(actual.bottom, expected.bottom) << what;
}

// The window, the list and both buttons sit where the template puts them,
// in pixels of the dialog's own font.
void ExpectTemplateLayout(DesktopSession& session, const WindowInfo& main, Rect size, Rect list, Rect save,
                          Rect cancel)
{
    Rect pixels = session.DialogUnitsToPixels(main.handle, size);
    EXPECT_EQ(main.client.Width(), pixels.Width());
    EXPECT_EQ(main.client.Height(), pixels.Height());
    ExpectSameRect(InClient(session.Control(main.handle, kList), main), session.DialogUnitsToPixels(main.handle, list),
                   "list");
    ExpectSameRect(InClient(session.Control(main.handle, kSaveButton), main),
                   session.DialogUnitsToPixels(main.handle, save), "Save");
    ExpectSameRect(InClient(session.Control(main.handle, kCancelButton), main),
                   session.DialogUnitsToPixels(main.handle, cancel), "Cancel");
}

}

TEST(Startup, At96DotsPerInchTheMainWindowUsesTemplate145AndTheListHasTheFocus)
{
    DesktopSession session;
    session.InstallHost();
    session.StartProgram();
    WindowInfo main = session.WaitForMainWindow();

    EXPECT_EQ(session.Dpi(), 96);
    EXPECT_EQ(main.text, "BETA Orbiquel 0.8");
    ExpectTemplateLayout(session, main, Units(0, 0, 172, 267), Units(15, 36, 142, 167), Units(22, 223, 32, 23),
                         Units(117, 223, 32, 23));
    EXPECT_EQ(session.Focus(main.handle).id, kList);
    session.Screenshot(TestName());
}

TEST(Startup, At120DotsPerInchTheMainWindowUsesTemplate102AndSaveHasTheFocus)
{
    SessionOptions options;
    options.dpi = 120;
    DesktopSession session(options);
    session.InstallHost();
    session.StartProgram();
    WindowInfo main = session.WaitForMainWindow();

    EXPECT_EQ(session.Dpi(), 120);
    ExpectTemplateLayout(session, main, Units(0, 0, 157, 252), Units(15, 30, 125, 169), Units(21, 214, 32, 24),
                         Units(103, 214, 32, 24));
    EXPECT_EQ(session.Focus(main.handle).id, kSaveButton);
    session.Screenshot(TestName());
}

TEST(Startup, TheSystemMenuEndsWithTheAboutItemWhichOpensTheAboutBox)
{
    DesktopSession session;
    session.InstallHost();
    session.StartProgram();
    WindowInfo main = session.WaitForMainWindow();

    std::vector<MenuItem> items = session.SystemMenu(main.handle);
    ASSERT_GE(items.size(), 2u);
    EXPECT_TRUE(items[items.size() - 2].separator);
    EXPECT_EQ(items.back().id, kAboutCommand);
    EXPECT_EQ(items.back().text, kAboutItem);

    // Keys go to the active window: make it active with a click on its first row.
    WindowInfo list = session.Control(main.handle, kList);
    session.Click({list.client.left + 60, list.client.top + 5});
    bool menuOpen = false;
    for (int attempt = 0; attempt < 2 && !menuOpen; ++attempt) {
        session.Key("alt+space");
        menuOpen = session.WaitForWindow("", kMenuClass, 3000).has_value();
    }
    ASSERT_TRUE(menuOpen) << "Alt+Space did not open the system menu";
    session.Key("o");
    auto about = session.WaitForDialog("All about Orbiquel BETA");
    ASSERT_TRUE(about) << "the About box did not open";
    EXPECT_EQ(about->Message(), "Orbiquel Version 0.8 BETA");
    session.Screenshot(TestName());

    session.Click(about->Button("OK").window.Center());
    EXPECT_TRUE(session.WaitForWindowGone(about->window.handle)) << "OK left the About box open";
    EXPECT_TRUE(session.Program().running);
}

TEST(Startup, EscapeLeavesTheWindowOpenAndCancelEndsTheProgramWithoutWritingAnything)
{
    DesktopSession session;
    session.InstallHost();
    RegistryValue pathBefore = session.ReadHostValue("MelodriftPath");
    session.StartProgram();
    WindowInfo main = session.WaitForMainWindow();

    session.Key("Escape");
    EXPECT_FALSE(session.WaitForProgramExit(2000)) << "Escape ended the program";
    EXPECT_TRUE(session.Window(main.handle).visible);

    session.Click(session.Control(main.handle, kCancelButton).window.Center());
    ASSERT_TRUE(session.WaitForProgramExit());
    EXPECT_TRUE(session.FilesBesideProgram().empty()) << "a settings file was written";
    EXPECT_EQ(session.ReadHostValue("MelodriftPath").data, pathBefore.data);
    EXPECT_FALSE(session.ReadHostValue("VisNumber").Exists());
}

class StartupWithoutHostFolder : public ::testing::TestWithParam<bool> {};

TEST_P(StartupWithoutHostFolder, ReportsMessage103WithTheStopIconAndEndsAfterOK)
{
    bool keyExists = GetParam();
    DesktopSession session;
    if (keyExists)
        session.WriteHostValue("VisNumber", "4"); // the key without "MelodriftPath"
    session.StartProgram();

    auto box = session.WaitForDialog("", 30000);
    ASSERT_TRUE(box) << "no message box";
    EXPECT_EQ(box->window.text, "Orbiquel");
    EXPECT_EQ(box->Message(), kNoHostFolder);
    EXPECT_EQ(box->icon, "stop");
    session.Screenshot(TestName() + (keyExists ? "-key" : "-nokey"));

    session.Click(box->Button("OK").window.Center());
    EXPECT_TRUE(session.WaitForProgramExit());
    EXPECT_TRUE(session.FilesBesideProgram().empty());
    EXPECT_EQ(session.ReadHostValue("MelodriftPath").type, "missing");
}

INSTANTIATE_TEST_SUITE_P(KeyOrNoKey, StartupWithoutHostFolder, ::testing::Bool());
