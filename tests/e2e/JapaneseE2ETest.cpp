// The real program on Japanese Windows (code page 932), where the second byte
// of a character can be "\" or a letter: the player, the program and the
// plug-ins in folders and files with such names, and a plug-in file and a
// plug-in sub-folder whose names the code page cannot hold at all.
#include <gtest/gtest.h>
#include <iconv.h>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <tuple>
#include <vector>
#include "testing/harness/DesktopSession.h"
#include "testing/harness/HarnessPaths.h"
#include "testing/harness/ProbeSession.h"
#include "tests/SmallDisk.h"
#include "tests/app/TextFilesOpenInNotepad.h"
#include "tests/catalogue/VisLayout.h"

using namespace e2e;
namespace fs = std::filesystem;

namespace {

constexpr int kList = 1000;
constexpr int kSaveButton = 1;
constexpr int kCancelButton = 1001;
constexpr int kYesButton = 6;  // IDYES
constexpr char kCaption[] = "Orbiquel";

// Linux names files in UTF-8; the program sees code page 932.
std::string Cp932(std::string utf8)
{
    iconv_t converter = ::iconv_open("CP932", "UTF-8");
    std::string out(utf8.size() * 2 + 1, '\0');
    char* in = utf8.data();
    char* at = out.data();
    size_t inLeft = utf8.size(), outLeft = out.size();
    size_t converted = ::iconv(converter, &in, &inLeft, &at, &outLeft);
    ::iconv_close(converter);
    if (converted == static_cast<size_t>(-1))
        throw std::runtime_error("no code page 932 for '" + utf8 + "'");
    out.resize(out.size() - outLeft);
    return out;
}

std::string WindowsPath932(const std::string& linuxPath)
{
    return Cp932(DesktopSession::WindowsPath(linuxPath));
}

// A path relative to the Vis folder as the program's records hold it.
std::string RelativeName932(std::string linuxPath)
{
    for (char& c : linuxPath)
        if (c == '/')
            c = '\\';
    return Cp932(linuxPath);
}

std::string Tag(int row)
{
    char tag[16];
    std::snprintf(tag, sizeof tag, "%03d_", row);
    return tag;
}

std::string FileText(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Every plug-in file under vis (not the stand-ins' side files) by its path
// relative to it, with its contents.
std::map<std::string, std::string> PluginFiles(const std::string& vis)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(vis)) {
        std::string extension = entry.path().extension().string();
        if (entry.is_regular_file() && extension != ".name" && extension != ".loads")
            files[fs::relative(entry.path(), vis).string()] = FileText(entry.path().string());
    }
    return files;
}

// What a plug-in row shows: its text and its lamp.
using Shown = std::map<std::string, std::pair<std::string, int>>;

Shown PluginRowsByFile(const std::vector<ListRow>& rows)
{
    Shown shown;
    for (const ListRow& row : rows)
        if (row.index >= 4)
            shown[row.file] = {row.text, row.image};
    return shown;
}

int RowOf(const std::vector<ListRow>& rows, const std::string& file)
{
    for (const ListRow& row : rows)
        if (row.file == file)
            return row.index;
    throw std::runtime_error("no row for " + file);
}

// True once the file holds line; false after a minute.
bool WaitForLine(const std::string& path, const std::string& line)
{
    for (int wait = 0; wait < 600; ++wait) {
        if (FileText(path).find("\n" + line + "\r\n") != std::string::npos)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
}

// A message box of the program: asserts that its text holds part, answers OK.
void AnswerOk(DesktopSession& session, const std::string& part)
{
    auto box = session.WaitForDialog(kCaption, 60000);
    ASSERT_TRUE(box) << "no message box holding " << part;
    EXPECT_NE(box->Message().find(part), std::string::npos) << box->Message();
    session.Click(box->Button("OK").window.Center());
    ASSERT_TRUE(session.WaitForWindowGone(box->window.handle));
}

}

TEST(Japanese, PathsAndNamesWithSecondBytesLikeSeparatorsOrLettersListSaveCacheAndOpenTheReadme)
{
    SessionOptions options;
    options.locale = "ja_JP.UTF-8";
    options.fileDialogs = true;
    DesktopSession session(options);

    // 表 and ソ end in "\", ア in "A". The player lies in ...\表, Orbiquel in ...\アプリ.
    const std::string host = session.Folder() + "/表";
    const std::string vis = host + "/Vis";
    const std::string program = session.Folder() + "/アプリ";
    fs::create_directories(vis);
    fs::create_directories(program);
    session.WriteHostValue("MelodriftPath", WindowsPath932(host));
    LayOutVisFolder(vis, "named|能.svp|" + Cp932("能力の表示") +
                             "\nnotlibrary|012_アプリ.svp_disabled\nnamed|ソフト表/ソフト.svp|" +
                             Cp932("ソフト表示") + "\nnamed|Fire.svp|Fire Storm\nnamed|Fïre.svp\n" +
                             "named|003_Wïve/Wave.svp\n");
    fs::copy_file(AppExecutable(), program + "/Orbiquel.exe");
    fs::copy_file(SourceDir() + "/res/orbiquel.txt", program + "/orbiquel.txt");
    std::ofstream(program + "/orbiquel.ini", std::ios::binary) << Cp932("[LockedVis]\r\nアプリ=手動の名前\r\n");
    TextFilesOpenInNotepad association(session);
    const std::map<std::string, std::string> before = PluginFiles(vis);
    // "ï" has no place in code page 932: the program sees "F?re.svp" and "003_W?ve".
    const std::string unmappedFolder = "003_W?ve\\Wave.svp";
    const std::string commandLine = "\"" + WindowsPath932(program + "/Orbiquel.exe") + "\"";
    auto start = [&] {
        session.Probe().Ask(ProbeRecord("start").Set("command", commandLine));
        const std::string cause = ": its name has characters that Windows' language for non-Unicode programs "
                                  "cannot hold; Orbiquel cannot open it.";
        AnswerOk(session, "plugin files:\n" + unmappedFolder + cause + "\nF?re.svp" + cause + "\n");
        WindowInfo main = session.WaitForMainWindow(60000);
        return std::make_pair(main, session.Control(main.handle, kList));
    };

    WindowInfo main, list;
    std::tie(main, list) = start();
    std::vector<ListRow> rows = session.Rows(list.handle);
    EXPECT_EQ(PluginRowsByFile(rows), (Shown{{Cp932("能.svp"), {Cp932("能力の表示"), 0}},
                                             {Cp932("012_アプリ.svp_disabled"), {Cp932("手動の名前"), 1}},
                                             {RelativeName932("ソフト表/ソフト.svp"), {Cp932("ソフト表示"), 0}},
                                             {"Fire.svp", {"Fire Storm", 0}},
                                             {"F?re.svp", {"F?re", 0}},
                                             {unmappedFolder, {"003_W?ve", 0}}}));
    ASSERT_EQ(rows.size(), 10u);

    session.Click({rows[0].icon.right + 16, rows[0].bounds.Center().y});
    session.Key("F1");
    auto viewer = session.WaitForWindow("", "Notepad", 30000);
    ASSERT_TRUE(viewer) << "F1 opened no text viewer";
    EXPECT_NE(viewer->text.find("orbiquel.txt"), std::string::npos) << viewer->text;
    session.Key("alt+F4");
    ASSERT_TRUE(session.WaitForWindowGone(viewer->handle));

    const size_t switchedOn = static_cast<size_t>(RowOf(rows, Cp932("012_アプリ.svp_disabled")));
    session.Click(rows.at(switchedOn).icon.Center());
    EXPECT_EQ(session.Rows(list.handle).at(switchedOn).flags, 3u) << "wanted on, still off on disk";
    const ListRow& fire = rows.at(static_cast<size_t>(RowOf(rows, "Fire.svp")));
    session.DoubleClick({fire.icon.right + 16, fire.bounds.Center().y});
    session.Click(session.Control(main.handle, kSaveButton).window.Center());
    AnswerOk(session, "unable to tag the plugin '" + unmappedFolder + "'");
    AnswerOk(session, "unable to tag the plugin 'F?re.svp'");
    ASSERT_TRUE(session.WaitForProgramExit(30000));

    // Every file is still there with its own contents, renamed by its row.
    auto tagged = [&](const std::string& file) { return Tag(RowOf(rows, RelativeName932(file))); };
    std::map<std::string, std::string> renamed{
        {"能.svp", tagged("能.svp") + "能.svp"},
        {"012_アプリ.svp_disabled", tagged("012_アプリ.svp_disabled") + "アプリ.svp"},
        {"ソフト表/ソフト.svp", tagged("ソフト表/ソフト.svp") + "ソフト表/ソフト.svp"},
        {"Fire.svp", tagged("Fire.svp") + "Fire.svp"},
        {"Fïre.svp", "Fïre.svp"},
        {"003_Wïve/Wave.svp", "003_Wïve/Wave.svp"}};
    std::map<std::string, std::string> expected;
    for (const auto& [old, now] : renamed)
        expected[now] = before.at(old);
    EXPECT_EQ(PluginFiles(vis), expected);
    EXPECT_EQ(session.ReadHostValue("VisNumber").data, "6") << "Fire Storm, after 003_Wïve and the switched-on アプリ";

    std::string settings = FileText(program + "/orbiquel.ini");
    for (const char* entry : {"能=能力の表示", "ソフト=ソフト表示", "Fire=Fire Storm", "アプリ=手動の名前"})
        EXPECT_NE(settings.find(Cp932(entry)), std::string::npos) << entry << " missing from the settings file";
    // The stand-ins count their loads beside themselves; the sub-folder moved.
    std::string folder = tagged("ソフト表/ソフト.svp") + "ソフト表";
    auto loads = [&] {
        return FileText(vis + "/能.loads") + "|" + FileText(vis + "/" + folder + "/ソフト.loads") + "|" +
               FileText(vis + "/Fire.loads");
    };
    const std::string loadsOfFirstRun = loads();
    EXPECT_EQ(loadsOfFirstRun, "load\r\n|load\r\n|load\r\n");

    // The names come from the cache now: no plug-in is loaded again.
    std::tie(main, list) = start();
    Shown expectedRows{{"F?re.svp", {"F?re", 0}}, {unmappedFolder, {"003_W?ve", 0}}};
    const std::map<std::string, std::string> names{{"能.svp", "能力の表示"}, {"012_アプリ.svp_disabled", "手動の名前"},
                                                   {"ソフト表/ソフト.svp", "ソフト表示"}, {"Fire.svp", "Fire Storm"}};
    for (const auto& [old, name] : names)
        expectedRows[RelativeName932(renamed[old])] = {Cp932(name), 0};
    EXPECT_EQ(PluginRowsByFile(session.Rows(list.handle)), expectedRows);
    EXPECT_EQ(loads(), loadsOfFirstRun);

    // Sorted Z to A from the popup menu, as the user's locale orders the names.
    Rect face = session.DialogUnitsToPixels(main.handle, {86, 31, 87, 32});
    session.Click({main.client.left + face.left, main.client.top + face.top}, 3);
    ASSERT_TRUE(session.WaitForWindow("", "#32768", 10000)) << "no popup menu";
    session.Key("z");
    std::vector<std::string> sorted;
    for (const ListRow& row : session.Rows(list.handle))
        if (row.index >= 4)
            sorted.push_back(row.text);
    EXPECT_EQ(sorted, (std::vector<std::string>{Cp932("能力の表示"), Cp932("手動の名前"), Cp932("ソフト表示"),
                                                "Fire Storm", "F?re", "003_W?ve"}))
        << "kanji, then kana, then letters, a sign before any letter, digits last";
    session.Click(session.Control(main.handle, kCancelButton).window.Center());
    EXPECT_TRUE(session.WaitForProgramExit(30000));

    // The player, which loads 003_Wïve too, starts on the visual the saved number names.
    fs::copy_file(HostExecutable(), host + "/Melodrift.exe");
    session.Probe().Ask(ProbeRecord("start").Set("command", "\"" + WindowsPath932(host + "/Melodrift.exe") + "\""));
    EXPECT_TRUE(WaitForLine(host + "/Melodrift.log", "visual 6 Fire Storm")) << FileText(host + "/Melodrift.log");

    // A set named 表示 naming 表示.svp: kept in UTF-8, exported, deleted,
    // imported through this code page's file dialogs, and applied again.
    LayOutVisFolder(vis, "named|表示.svp|" + Cp932("表示") + "\n");
    std::tie(main, list) = start();
    // The popup menu's items by their access keys: "Sets" first when given one of its items.
    auto menuKeys = [&](const std::vector<std::string>& keys) {
        std::optional<WindowInfo> menu;
        // A menu that has just closed may still take a click while its loop ends: click again.
        for (int click = 0; click < 3 && !menu; ++click) {
            session.Click({main.client.left + face.left, main.client.top + face.top}, 3);
            menu = session.WaitForWindow("", "#32768", 10000);
        }
        ASSERT_TRUE(menu) << "no popup menu";
        for (const std::string& key : keys)
            session.Key(key);
        ASSERT_TRUE(session.WaitForWindowGone(menu->handle, 60000));
    };
    auto sets = [&](const std::string& key) { menuKeys({"t", key}); };
    auto pluginTexts = [&] {
        std::vector<std::string> texts;
        for (const ListRow& row : session.Rows(list.handle))
            if (row.index >= 4)
                texts.push_back(row.text + (row.image == 1 ? " (off)" : ""));
        return texts;
    };
    rows = session.Rows(list.handle);
    session.Click(rows.at(static_cast<size_t>(RowOf(rows, Cp932("表示.svp")))).icon.Center());
    const std::vector<std::string> arranged = pluginTexts();
    sets("s");
    auto naming = session.WaitForDialog("Save as set", 30000);
    ASSERT_TRUE(naming) << "no name dialog";
    // Handed over whole, as the input method composes it.
    const auto edit = std::find_if(naming->controls.begin(), naming->controls.end(),
                                   [](const WindowInfo& control) { return control.className == "Edit"; });
    ASSERT_NE(edit, naming->controls.end());
    session.Probe().Ask(ProbeRecord("set-text").SetNumber("hwnd", edit->handle).Set("text", Cp932("表示")));
    session.Key("Return");
    ASSERT_TRUE(session.WaitForWindowGone(naming->window.handle));
    const std::string keptPath = program + "/Orbiquel sets/表示.txt";
    // The program writes after its dialog has gone.
    for (int wait = 0; wait < 300 && FileText(keptPath).empty(); ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const std::string kept = FileText(keptPath);
    ASSERT_FALSE(kept.empty()) << [&] {
        std::string found;
        for (const auto& entry : fs::directory_iterator(program + "/Orbiquel sets"))
            found += entry.path().filename().string() + "\n";
        return found;
    }();
    EXPECT_NE(kept.find("\r\nName: 表示\r\n"), std::string::npos) << kept;
    EXPECT_NE(kept.find("\r\noff|表示|表示\r\n"), std::string::npos) << kept;
    EXPECT_NE(kept.find("|アプリ|手動の名前\r\n"), std::string::npos) << kept;
    menuKeys({"n"});
    ASSERT_NE(pluginTexts(), arranged);
    // No set can name F?re, whose name the code page cannot hold: it follows the others, switched off.
    std::vector<std::string> applied = arranged;
    applied.erase(std::find(applied.begin(), applied.end(), "F?re"));
    applied.push_back("F?re (off)");

    // The file dialog over the main window (titled in the system's language):
    // the path goes into its name box whole, then Enter.
    auto pickFile = [&](const std::string& linuxPath) {
        std::optional<WindowInfo> dialog;
        for (int wait = 0; wait < 600 && !(dialog && dialog->owner == main.handle); ++wait)
            dialog = session.WaitForWindow("", "#32770", 100);
        ASSERT_TRUE(dialog && dialog->owner == main.handle) << "no file dialog";
        const WindowInfo nameBox = session.Focus(dialog->handle);
        session.Probe().Ask(
            ProbeRecord("set-text").SetNumber("hwnd", nameBox.handle).Set("text", WindowsPath932(linuxPath)));
        session.Key("Return");
        ASSERT_TRUE(session.WaitForWindowGone(dialog->handle, 30000));
    };
    auto awaitText = [&](const std::string& path, const std::string& expected) {
        for (int wait = 0; wait < 300 && FileText(path) != expected; ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        return FileText(path);
    };
    const std::string exported = session.Folder() + "/" + "書き出し.txt";
    sets("e");
    pickFile(exported);
    EXPECT_EQ(awaitText(exported, kept), kept) << "exported as kept, in UTF-8";
    sets("d");
    auto question = session.WaitForDialog(kCaption, 60000);
    ASSERT_TRUE(question) << "no question before the set is deleted";
    const WindowInfo& yes = *std::find_if(question->controls.begin(), question->controls.end(),
                                          [](const WindowInfo& control) { return control.id == kYesButton; });
    session.Click(yes.window.Center());
    for (int wait = 0; wait < 300 && fs::exists(keptPath); ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    ASSERT_FALSE(fs::exists(keptPath));
    sets("i");
    pickFile(exported);
    EXPECT_EQ(awaitText(keptPath, kept), kept) << "imported as it was kept";
    sets("1");
    for (int wait = 0; wait < 300 && pluginTexts() != applied; ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(pluginTexts(), applied);
    session.Click(session.Control(main.handle, kCancelButton).window.Center());
    EXPECT_TRUE(session.WaitForProgramExit(30000));
}

// Written key by key, as in every multi-byte code page: the system's writer
// reports success for a file it cut at the disk's last free page.
TEST(Japanese, NearlyFullDiskLeavesTheSettingsFileAsItWasAndTheRowsNamed)
{
    SessionOptions options;
    options.locale = "ja_JP.UTF-8";
    DesktopSession session(options);
    session.InstallHost();
    LayOutVisFolder(session.VisFolder(), "named|012_Fire.svp|Fire Storm\nnamed|能.svp|" + Cp932("能力の表示") + "\n");
    SmallDisk disk(session.ProgramFolder());
    if (!disk.Mounted())
        GTEST_SKIP() << "cannot mount a tmpfs over the program's folder: " << disk.Error();
    session.PlaceProgram();
    // New cache lines go before the names by hand, and the file fills its
    // page: the disk keeps room for a copy of it, not for a longer one.
    std::string settings = "[VisCache]\r\nGlow=Glow Worm\r\n\r\n[LockedVis]\r\n" + Cp932("手動=手動の名前") + "\r\n";
    for (int line = 1; line <= 40; ++line)
        settings += "Locked" + std::to_string(line) + "=Name given by hand " + std::to_string(line) + "\r\n";
    settings += ";" + std::string(4096 - settings.size() - 3, '-') + "\r\n";
    const std::string path = session.ProgramFolder() + "/orbiquel.ini";
    std::ofstream(path, std::ios::binary) << settings;
    ASSERT_TRUE(disk.Fill(session.ProgramFolder() + "/filler", settings.size())) << "the disk did not fill up";

    session.StartPlacedProgram();
    WindowInfo main = session.WaitForMainWindow(60000);
    EXPECT_EQ(PluginRowsByFile(session.Rows(session.Control(main.handle, kList).handle)),
              (Shown{{"012_Fire.svp", {"Fire Storm", 0}}, {Cp932("能.svp"), {Cp932("能力の表示"), 0}}}));
    session.Click(session.Control(main.handle, kCancelButton).window.Center());
    ASSERT_TRUE(session.WaitForProgramExit(30000));

    EXPECT_EQ(FileText(path), settings) << "the settings file lost its end";
    std::vector<std::string> files = session.FilesBesideProgram();
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::string>{"filler", "orbiquel.ini"})) << "no temporary file left behind";
}
