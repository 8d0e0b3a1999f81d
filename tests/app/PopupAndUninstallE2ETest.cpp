// The clip, the popup menu, the readme and uninstalling, in the real program
// with real input.
#include <gtest/gtest.h>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <thread>
#include <vector>
#include "testing/harness/ChildProcess.h"
#include "testing/harness/DesktopSession.h"
#include "testing/harness/HarnessPaths.h"
#include "testing/harness/ProbeAnswers.h"
#include "testing/harness/ProbeSession.h"
#include "tests/app/TextFilesOpenInNotepad.h"

using namespace e2e;
namespace fs = std::filesystem;

namespace {

constexpr int kClipControl = 1002;
const char kMenuClass[] = "#32768";
const char kAboutTitle[] = "All about Orbiquel BETA";
const char kConfirmUninstall[] = "Are you absolutely sure you want to remove Orbiquel?";
const char kNoHelp[] = "Orbiquel could not launch the help file.\nGood luck anyway ;-(";

std::string TestName()
{
    return ::testing::UnitTest::GetInstance()->current_test_info()->name();
}

// The files of the prefix's temporary folder whose names start with prefix.
std::set<std::string> TempFiles(const std::string& prefix)
{
    std::set<std::string> names;
    for (const auto& user : fs::directory_iterator(WinePrefix(96) + "/drive_c/users")) {
        fs::path temp = user.path() / "Temp";
        if (!fs::is_directory(temp))
            continue;
        for (const auto& file : fs::directory_iterator(temp))
            if (file.path().filename().string().rfind(prefix, 0) == 0)
                names.insert(file.path().string());
    }
    return names;
}

template <class Condition>
bool WaitFor(Condition condition, int timeoutMs)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

// The RGB bytes of a rectangle of the desktop, from a fresh screenshot.
std::string Pixels(DesktopSession& session, const std::string& name, const Rect& area)
{
    std::string png = session.Screenshot(name);
    std::string crop = std::to_string(area.Width()) + "x" + std::to_string(area.Height()) + "+" +
                       std::to_string(area.left) + "+" + std::to_string(area.top);
    std::string rgbFile = png + ".rgb";
    EXPECT_EQ(RunCommand({"convert", png, "-crop", crop, "-depth", "8", "rgb:" + rgbFile}, {}, 30000), 0);
    std::ifstream file(rgbFile, std::ios::binary);
    std::string rgb((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    fs::remove(rgbFile);
    return rgb;
}

size_t PureGreenPixels(const std::string& rgb)
{
    size_t count = 0;
    for (size_t at = 0; at + 2 < rgb.size(); at += 3)
        count += rgb[at] == 0 && rgb[at + 1] == '\xFF' && rgb[at + 2] == 0;
    return count;
}

// A point of the window's face that no control covers: between the title
// graphic and the list.
Point OnTheFace(DesktopSession& session, const WindowInfo& main)
{
    Rect units = session.DialogUnitsToPixels(main.handle, {86, 31, 87, 32});
    return {main.client.left + units.left, main.client.top + units.top};
}

// Right-clicks the face and picks a menu item by its access key.
void ChooseFromPopupMenu(DesktopSession& session, const WindowInfo& main, const std::string& key)
{
    session.Click(OnTheFace(session, main), 3);
    ASSERT_TRUE(session.WaitForWindow("", kMenuClass, 10000)) << "no popup menu";
    session.Key(key);
}

// Orbiquel installed by hand in a folder whose path has blanks, with its
// readme and settings file, started on the session's desktop.
struct InstalledWithBlanks {
    explicit InstalledWithBlanks(DesktopSession& session) : folder(session.Folder() + "/Program Files/Orbiquel Tool")
    {
        fs::create_directories(folder);
        fs::copy_file(AppExecutable(), Executable());
        fs::copy_file(SourceDir() + "/res/orbiquel.txt", folder + "/orbiquel.txt");
        std::ofstream(folder + "/orbiquel.ini") << "[VisCache]\r\nFire=Fire Storm\r\n";
    }
    std::string Executable() const { return folder + "/Orbiquel.exe"; }

    std::string folder;
};

void StartOnDesktop(DesktopSession& session, const std::string& commandLine)
{
    session.Probe().Ask(ProbeRecord("start").Set("command", commandLine));
}

std::string Quoted(const std::string& linuxPath)
{
    return "\"" + DesktopSession::WindowsPath(linuxPath) + "\"";
}

}

TEST(Clip, PlaysInControl1002WithItsGreenShowingTheFaceAndLeavesNoFileBehind)
{
    std::set<std::string> clipsBefore = TempFiles("QTX");
    DesktopSession session;
    session.InstallHost();
    session.StartProgram();
    WindowInfo main = session.WaitForMainWindow();
    WindowInfo clip = session.Control(main.handle, kClipControl);
    EXPECT_EQ(clip.window.Width(), 50);
    EXPECT_EQ(clip.window.Height(), 120);
    EXPECT_EQ(TempFiles("QTX").size(), clipsBefore.size() + 1) << "no temporary clip while the program runs";

    std::string first = Pixels(session, TestName() + "-1", clip.window);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    std::string later = Pixels(session, TestName() + "-2", clip.window);
    ASSERT_EQ(first.size(), 50u * 120u * 3u);
    EXPECT_NE(first, later) << "the clip stands still";
    EXPECT_EQ(PureGreenPixels(first) + PureGreenPixels(later), 0u) << "the clip's green is not transparent";

    session.Click(session.Control(main.handle, 1001).window.Center());
    ASSERT_TRUE(session.WaitForProgramExit());
    EXPECT_EQ(TempFiles("QTX"), clipsBefore);
}

TEST(PopupMenu, RightClickOnTheFaceOffersAboutAndCloseEndsWithoutSaving)
{
    DesktopSession session;
    session.InstallHost();
    session.StartProgram();
    WindowInfo main = session.WaitForMainWindow();

    ChooseFromPopupMenu(session, main, "a");
    auto about = session.WaitForDialog(kAboutTitle);
    ASSERT_TRUE(about) << "\"&About...\" did not open the About box";
    session.Screenshot(TestName() + "-about");
    session.Click(about->Button("OK").window.Center());
    ASSERT_TRUE(session.WaitForWindowGone(about->window.handle));

    ChooseFromPopupMenu(session, main, "c");
    EXPECT_TRUE(session.WaitForProgramExit()) << "\"&Close\" left the window open";
    EXPECT_TRUE(session.FilesBesideProgram().empty()) << "a settings file was written";
    EXPECT_FALSE(session.ReadHostValue("VisNumber").Exists());
}

TEST(Readme, F1OpensTheReadmeBesideTheExecutableOrReportsMessage110)
{
    DesktopSession session;
    session.InstallHost();
    std::string readme = session.ProgramFolder() + "/orbiquel.txt";
    fs::copy_file(SourceDir() + "/res/orbiquel.txt", readme);
    TextFilesOpenInNotepad association(session);
    session.StartProgram();
    WindowInfo main = session.WaitForMainWindow();

    session.Click(OnTheFace(session, main));
    session.Key("F1");
    auto viewer = session.WaitForWindow("", "Notepad", 30000);
    ASSERT_TRUE(viewer) << "F1 opened no text viewer";
    EXPECT_NE(viewer->text.find("orbiquel.txt"), std::string::npos) << viewer->text;
    session.Screenshot(TestName() + "-readme");
    session.Key("alt+F4");
    ASSERT_TRUE(session.WaitForWindowGone(viewer->handle));

    fs::remove(readme);
    session.Click(OnTheFace(session, main));
    session.Key("F1");
    auto box = session.WaitForDialog("Orbiquel", 15000);
    ASSERT_TRUE(box) << "no message for the missing readme";
    EXPECT_EQ(box->Message(), kNoHelp);
    EXPECT_EQ(box->icon, "exclamation");
    session.Click(box->Button("OK").window.Center());
    EXPECT_TRUE(session.WaitForWindowGone(box->window.handle));
    EXPECT_TRUE(session.Program().running);
}

TEST(Uninstall, FromAFolderWithBlanksRemovesOnlyTheExecutableOnceAnsweredYes)
{
    DesktopSession session;
    session.InstallHost();
    InstalledWithBlanks installed(session);
    std::set<std::string> copiesBefore = TempFiles("Del");
    StartOnDesktop(session, Quoted(installed.Executable()));
    WindowInfo main = session.WaitForMainWindow();

    ChooseFromPopupMenu(session, main, "u");
    auto box = session.WaitForDialog("Orbiquel");
    ASSERT_TRUE(box) << "no question before uninstalling";
    EXPECT_EQ(box->Message(), kConfirmUninstall);
    EXPECT_EQ(box->icon, "stop");
    session.Click(box->Button("&No").window.Center());
    EXPECT_FALSE(session.WaitForWindowGone(main.handle, 3000)) << "No closed the window";
    EXPECT_TRUE(fs::exists(installed.Executable()));

    ChooseFromPopupMenu(session, main, "u");
    box = session.WaitForDialog("Orbiquel");
    ASSERT_TRUE(box);
    session.Click(box->Button("&Yes").window.Center());
    ASSERT_TRUE(session.WaitForWindowGone(main.handle, 15000)) << "Yes left the window open";
    auto closed = std::chrono::steady_clock::now();
    EXPECT_TRUE(WaitFor([&] { return !fs::exists(installed.Executable()); }, 10000)) << "the executable stayed";
    auto gone = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - closed);
    EXPECT_LE(gone.count(), 2000) << "the executable went " << gone.count() << " ms after the window closed";
    EXPECT_TRUE(fs::exists(installed.folder + "/orbiquel.ini"));
    EXPECT_TRUE(fs::exists(installed.folder + "/orbiquel.txt"));
    EXPECT_TRUE(WaitFor([&] { return TempFiles("Del") == copiesBefore; }, 15000)) << "a temporary copy stayed";
}

TEST(Uninstall, ForgedSelfDeleteLinesStartTheProgramOrDeleteNothing)
{
    DesktopSession session;
    session.InstallHost();
    InstalledWithBlanks installed(session);
    std::string settings = installed.folder + "/orbiquel.ini";

    StartOnDesktop(session, Quoted(installed.Executable()) + " /SelfDelete 12345 " + Quoted(settings) + " 0");
    ProbeRecord exited("wait-exit");
    exited.Set("path", DesktopSession::WindowsPath(installed.Executable())).SetNumber("timeout", 15000);
    EXPECT_EQ(session.Probe().Ask(exited, 20000).at(0).GetNumber("running"), 0) << "the forged copy did not end";
    EXPECT_FALSE(session.WaitForWindow("BETA Orbiquel 0.8", "#32770", 0));
    EXPECT_TRUE(fs::exists(settings));
    EXPECT_TRUE(fs::exists(installed.Executable()));

    StartOnDesktop(session, Quoted(installed.Executable()) + " /SelfDelete a b c");
    WindowInfo main = session.WaitForMainWindow();
    EXPECT_TRUE(main.visible);

    // That start is the one instance: another, from another folder too, leaves it the only window and ends.
    fs::create_directories(session.ProgramFolder());
    fs::copy_file(AppExecutable(), session.ProgramPath());
    StartOnDesktop(session, Quoted(session.ProgramPath()));
    EXPECT_TRUE(session.WaitForProgramExit(15000)) << "a second copy stayed";
    EXPECT_TRUE(session.Window(main.handle).visible);
}
