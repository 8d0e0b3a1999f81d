// Save with the real program: the plug-in files on disk, the host's
// restart as its log tells it, and failures answered with real clicks.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include "host/RenamePlan.h"
#include "tests/host/HostE2EFixture.h"

using namespace e2e;
namespace fs = std::filesystem;

namespace {
const char kRestartQuestion[] = "To activate your changes in the visual plugin order, you have to restart "
                                "Melodrift.\nDo you want to restart Melodrift NOW?";
const char kHostStillRunning[] = "Melodrift did not close, so Orbiquel could not restart it.\nYour changes are saved: "
                                 "please close Melodrift and start it again to activate them.";

const char kNoJournal[] = "Orbiquel cannot keep a record of this Save, so it cannot be undone.\nSave anyway?";
constexpr int kUndoLastSave = 32777;
constexpr int kGreyed = 0x1;  // MF_GRAYED

std::string TagFailed(const std::string& name)
{
    return "Orbiquel was unable to tag the plugin '" + name +
           "'.\nClick OK to continue with next plugin or 'Cancel' to... cancel!";
}

std::string SaveCutShort(int renamed, int plugins)
{
    return "The last Save did not finish: " + std::to_string(renamed) + " of " + std::to_string(plugins) +
           " plug-ins were renamed.\nYes: finish it.  No: give them back their names from before it.  Cancel: "
           "leave them as they are.";
}

std::string RenamesFailed(const std::string& names)
{
    return "Orbiquel could not rename these plug-ins, because their names are taken or they are no longer there, "
           "so they stay as they are:\n" + names;
}

std::string StateFailed(const std::string& name)
{
    return "Orbiquel could not enable/disable the plugin '" + name +
           "'.\nClick OK to continue with next plugin or 'Cancel' to... cancel!";
}

std::string NameTaken(const std::string& name)
{
    return "The Vis folder already holds a plug-in named '" + name + "', so Orbiquel did not copy it.";
}

std::string NotAPlugin(const std::string& path)
{
    return "'" + path + "' is not a visual plug-in, so Orbiquel did not copy it.";
}

// The one message after a Remove, with what became of each plug-in that did not go to the bin.
std::string NotRecycled(const std::string& fates)
{
    return "These plug-ins did not go to the Recycle Bin:\n" + fates;
}

std::string HeldKept(const std::string& name)
{
    return NotRecycled(name + ": kept, because Melodrift holds it or the folder may not be changed.");
}

// Every file under the folder by its path relative to it, with its contents.
std::map<std::string, std::string> Files(const std::string& folder)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (!entry.is_regular_file())
            continue;
        std::ifstream file(entry.path(), std::ios::binary);
        std::stringstream bytes;
        bytes << file.rdbuf();
        files[fs::relative(entry.path(), folder).string()] = bytes.str();
    }
    return files;
}

std::multiset<std::string> Contents(const std::map<std::string, std::string>& files)
{
    std::multiset<std::string> contents;
    for (const auto& file : files)
        contents.insert(file.second);
    return contents;
}

std::vector<std::string> PluginFiles(const std::string& vis)
{
    std::vector<std::string> names;
    for (const auto& file : Files(vis))
        if (file.first.find(".svp") != std::string::npos)
            names.push_back(file.first);
    return names;
}

std::vector<std::string> Texts(const std::vector<ListRow>& rows)
{
    std::vector<std::string> texts;
    for (const ListRow& row : rows)
        texts.push_back(row.text + (row.image == 1 ? " (off)" : ""));
    return texts;
}
}

TEST_F(HostE2E, SaveWithoutHostRenamesEveryPluginAndBothProgramsFollowTheNewOrder)
{
    // Rows in file-name order: Ice (off), Bars, Pack (sub-folder), Twelve, Lava, Zed (off).
    Install("named|007_Ice.svp_disabled|Ice\nnamed|012_Bars.svp|Bars\nnamed|020_Pack/Pack.svp|Pack\n"
            "named|12_x.svp|Twelve\nnamed|Lava.svp|Lava\nnamed|Zed.svp_disabled|Zed\n",
            "6");
    // Enter and Space press the button that has the focus: "Cancel" changes nothing.
    std::vector<std::string> before = PluginFiles(session->VisFolder());
    for (const char* key : {"Return", "space"}) {
        StartProgram();
        FocusCancel();
        session->Key(key);
        ASSERT_TRUE(session->WaitForProgramExit(15000)) << key << " left the window open";
        EXPECT_EQ(PluginFiles(session->VisFolder()), before) << key;
    }
    StartProgram();
    EXPECT_EQ(CurrentRow(), 7) << "Twelve, the sixth visual the host loaded";
    session->Click(Lamp(4));
    session->Click(Lamp(5));
    session->Click(Lamp(6));
    session->Click(Label(8));
    for (int step = 0; step < 4; ++step)
        session->Key("ctrl+Up");
    ASSERT_EQ(Texts(Rows()).at(4), "Lava");
    session->Key("Return");  // the list has the focus: Enter saves
    ASSERT_TRUE(session->WaitForProgramExit(30000));

    EXPECT_EQ(PluginFiles(session->VisFolder()),
              (std::vector<std::string>{"004_Lava.svp", "005_Ice.svp", "006_Bars.svp_disabled",
                                        "007_Pack/Pack.svp_disabled", "008_12_x.svp", "009_Zed.svp_disabled"}));
    EXPECT_EQ(session->ReadHostValue("VisNumber").data, "6") << "Twelve, now in row 8, after Lava and Ice";

    StartHost("", "visual 6 Twelve");
    std::vector<std::string> log = session->HostLog();
    auto loaded = std::find(log.begin(), log.end(), "loaded 4 Lava");
    ASSERT_GE(log.end() - loaded, 4);
    EXPECT_EQ(std::vector<std::string>(loaded, loaded + 3),
              (std::vector<std::string>{"loaded 4 Lava", "loaded 5 Ice", "loaded 6 Twelve"}));
    EXPECT_EQ(loaded[3].rfind("loaded", 0), std::string::npos) << "the disabled ones stay unloaded";
    StartProgram();
    std::vector<std::string> texts = Texts(Rows());
    EXPECT_EQ(std::vector<std::string>(texts.begin() + 4, texts.end()),
              (std::vector<std::string>{"Lava", "Ice", "Bars (off)", "Pack (off)", "Twelve", "Zed (off)"}));

    // Saved anyway without a journal (it cannot be written): the journal of
    // the Save before goes first, so "Undo last Save" has nothing to give back.
    const std::string journal = session->ProgramFolder() + "/orbiquel-last-save.txt";
    EXPECT_EQ(MenuItemState(kUndoLastSave) & kGreyed, 0);
    fs::permissions(journal, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    session->Click(Label(4));
    session->Key("ctrl+Down");
    session->Key("Return");
    Answer(kRestartQuestion, "&No");
    Answer(kNoJournal, "&Yes");
    ASSERT_TRUE(session->WaitForProgramExit(30000));
    EXPECT_FALSE(fs::exists(journal));
    EXPECT_EQ(PluginFiles(session->VisFolder()).at(0), "004_Ice.svp");
    StartProgram();
    EXPECT_EQ(MenuItemState(kUndoLastSave) & kGreyed, kGreyed);
}

TEST_F(HostE2E, SaveRestartsThePlayingHostAroundTheRenamesOnlyWhenAskedTo)
{
    Install("named|A.svp|Aurora\nnamed|B.svp|Borealis\nnamed|C.svp|Comet\n");
    StartHost("", "visual 0 Waveform 1.1");
    StartHost(" -play", "command -play position 0");
    StartHost(" -select 5", "visual 5 Borealis");
    StartProgram();
    auto before = Files(session->VisFolder());

    ClickSave();
    Answer(kRestartQuestion, "Cancel");
    EXPECT_TRUE(session->Program().running);
    EXPECT_EQ(Files(session->VisFolder()), before);
    EXPECT_EQ(HostLogCount("start -quit"), 0);

    // Comet first: the restarted host's order shows that the renames came before it.
    session->Click(Label(6));
    session->Key("ctrl+Up");
    session->Key("ctrl+Up");
    Pause(1000);
    size_t logStart = session->HostLog().size();
    ClickSave();
    Answer(kRestartQuestion, "&Yes");
    ASSERT_TRUE(session->WaitForProgramExit(60000));
    ASSERT_TRUE(session->WaitForHostLog("start -play", 30000));
    Pause(3000);
    std::vector<std::string> log = session->HostLog();
    std::vector<std::string> sequence;
    unsigned long quitPosition = 0, scanTo = 0;
    for (size_t line = logStart; line < log.size(); ++line) {
        const std::string& text = log[line];
        if (std::sscanf(text.c_str(), "command -quit position %lu", &quitPosition) == 1)
            sequence.push_back("quit");
        else if (std::sscanf(text.c_str(), "command -scanto %lu", &scanTo) == 1)
            sequence.push_back("scanto");
        else if (text.rfind("command -play", 0) == 0)
            sequence.push_back("play");
        else if (text == "exit" || text == "start" || text == "loaded 4 Comet")
            sequence.push_back(text);
    }
    EXPECT_EQ(sequence, (std::vector<std::string>{"quit", "exit", "start", "loaded 4 Comet", "play", "scanto"}));
    auto restarted = std::find(log.begin() + static_cast<long>(logStart), log.end(), "start");
    auto firstVisual = std::find_if(restarted, log.end(), [](const std::string& line) { return line.rfind("visual", 0) == 0; });
    ASSERT_NE(firstVisual, log.end());
    EXPECT_EQ(*firstVisual, "visual 6 Borealis") << "\"VisNumber\" was written before the restart, in the new order";
    EXPECT_GT(scanTo, 1000u) << "the position it had played to";
    EXPECT_LE(scanTo, quitPosition) << "read before the quit";
    EXPECT_EQ(PluginFiles(session->VisFolder()),
              (std::vector<std::string>{"004_C.svp", "005_A.svp", "006_B.svp"}));

    // Undo last Save with the player playing: the names, "VisNumber" and the visual from before.
    StartProgram();
    logStart = session->HostLog().size();
    ChooseFromMenu("l");
    Answer(kRestartQuestion, "&Yes");
    ASSERT_TRUE(session->WaitForProgramExit(60000));
    ASSERT_TRUE(WaitForHostLogCount("start", 1, logStart));
    ASSERT_TRUE(WaitForHostLogCount("visual 5 Borealis", 1, logStart)) << "the visual it showed before the Save";
    EXPECT_EQ(PluginFiles(session->VisFolder()), (std::vector<std::string>{"A.svp", "B.svp", "C.svp"}));
    EXPECT_EQ(session->ReadHostValue("VisNumber").data, "5");

    // The player closed while the question is up is started again, as after a quit.
    StartProgram();
    logStart = session->HostLog().size();
    ClickSave();
    ASSERT_TRUE(session->WaitForDialog(kCaption, 30000));
    session->StartHost(" -quit");
    ASSERT_TRUE(WaitForHostLogCount("exit", 1, logStart));
    Answer(kRestartQuestion, "&Yes");
    ASSERT_TRUE(session->WaitForProgramExit(60000));
    EXPECT_TRUE(WaitForHostLogCount("start", 1, logStart)) << "no \"did not close\", the player started again";

    // Answered No: renamed, and the host keeps running untouched.
    StartProgram();
    logStart = session->HostLog().size();
    ClickSave();
    Answer(kRestartQuestion, "&No");
    ASSERT_TRUE(session->WaitForProgramExit(30000));
    Pause(1500);
    EXPECT_EQ(HostLogCount("start -quit", logStart), 0);
    EXPECT_EQ(HostLogCount("exit", logStart), 0);

    // A playing host whose record cannot be opened has no position to go back
    // to: restarted as a stopped one, without " -play" or " -scanto".
    std::ofstream(session->HostFolder() + "/Melodrift.norecord");
    logStart = session->HostLog().size();
    session->StartHost(" -quit");
    ASSERT_TRUE(WaitForHostLogCount("exit", 1, logStart));
    StartHost(" -play", "start -play");
    ASSERT_TRUE(session->WaitForWindow("Melodrift", "Melodrift Window Class", 60000));
    StartProgram();
    logStart = session->HostLog().size();
    ClickSave();
    Answer(kRestartQuestion, "&Yes");
    ASSERT_TRUE(session->WaitForProgramExit(60000));
    EXPECT_TRUE(WaitForHostLogCount("start", 1, logStart));
    EXPECT_EQ(HostLogCount("start -play", logStart), 0) << "the switches come before the program ends";
    fs::remove(session->HostFolder() + "/Melodrift.norecord");

    // A player that will not quit is not started again: the renames are made and the user is told.
    std::ofstream(session->HostFolder() + "/Melodrift.stubborn");
    StartProgram();
    session->Click(Label(6));
    session->Key("ctrl+Up");
    session->Key("ctrl+Up");
    logStart = session->HostLog().size();
    ClickSave();
    Answer(kRestartQuestion, "&Yes");
    Answer(kHostStillRunning, "OK");
    ASSERT_TRUE(session->WaitForProgramExit(30000));
    Pause(1500);
    EXPECT_EQ(HostLogCount("command -quit ignored", logStart), 1);
    EXPECT_EQ(HostLogCount("start", logStart), 0) << "no start handed to the old player";
    EXPECT_EQ(HostLogCount("start -play", logStart), 0);
    EXPECT_EQ(PluginFiles(session->VisFolder()),
              (std::vector<std::string>{"004_C.svp", "005_A.svp", "006_B.svp"}));
}

TEST_F(HostE2E, CollisionsAndHeldFilesAreReportedAndNoFileIsLostOrOverwritten)
{
    // Rows: 004_Fire, Fire, Gem (held open by the host), Ice (off), Lava. A
    // folder "007_Ice.svp" stands where Ice would be switched on.
    Install("named|004_Fire.svp|Fire\nnamed|Fire.svp|Fire\nnamed|Gem.svp|Gem\nnamed|Ice.svp_disabled|Ice\n"
            "named|Lava.svp|Lava\nfile|007_Ice.svp/notes.txt|not a plug-in\nfile|../Melodrift.hold|Gem.svp\n",
            "6");
    StartHost("", "visual 6 Gem");
    // A visual no row shows: no row is current, though "VisNumber" names one.
    StartHost(" -signal Nowhere", "command -signal Nowhere position 0");
    // Held open, Gem cannot be asked for its name: it was cached before.
    std::ofstream(session->ProgramFolder() + "/orbiquel.ini") << "[VisCache]\r\nGem=Gem\r\n";
    StartProgram();
    EXPECT_EQ(CurrentRow(), -1);
    auto before = Files(session->VisFolder());
    session->Click(Label(6));
    session->Key("Delete");
    Answer("Move 1 plug-in(s) to the Recycle Bin?", "&Yes");
    Answer(HeldKept("Gem.svp"), "OK");
    ASSERT_EQ(Texts(Rows()).at(6), "Gem") << "a file the host holds stays with its row";
    session->Click(Label(5));
    session->Key("ctrl+Up");
    session->Click(Lamp(7));

    ClickSave();
    Answer(kRestartQuestion, "&No");
    Answer(TagFailed("Fire.svp"), "OK");
    Answer(TagFailed("Gem.svp"), "OK");
    Answer(StateFailed("007_Ice.svp"), "Cancel");
    ASSERT_TRUE(session->WaitForProgramExit(30000));

    auto after = Files(session->VisFolder());
    EXPECT_EQ(Contents(after), Contents(before)) << "every file kept, none overwritten";
    EXPECT_EQ(after.at("Fire.svp"), before.at("Fire.svp"));
    EXPECT_EQ(after.at("005_Fire.svp"), before.at("004_Fire.svp"));
    EXPECT_EQ(after.at("Gem.svp"), before.at("Gem.svp"));
    EXPECT_EQ(after.at("007_Ice.svp_disabled"), before.at("Ice.svp_disabled"));
    EXPECT_EQ(after.at("Lava.svp"), before.at("Lava.svp")) << "untouched after Cancel";
    EXPECT_EQ(session->ReadHostValue("VisNumber").data, "6") << "without a current visual the host's value stays";
}

// Plug-ins copied in through the file dialog and by a drop, one deleted for
// good with Delete where the Recycle Bin can take nothing, then a Save: the
// Vis folder holds what the rows say, and the originals stay where they were.
TEST_F(HostE2E, PluginsAddedAndRemovedBeforeASaveGetTheirOrderAndNoOtherFileChanges)
{
    // Rows: Ice, Bars (off), Deep (sub-folder, current: the host's fifth visual),
    // and two copies cut short, which the start removes.
    Install("named|004_Ice.svp|Ice\nnamed|005_Bars.svp_disabled|Bars\nnamed|006_Deep/deep.svp|Deep\n"
            "file|Fire.name|Fire Storm\nfile|Lava.svp.orbiquel-copy|half a copy\nfile|Wave.orbiquel-copy/wave.svp|half a copy\n",
            "5");
    std::string downloads = session->Folder() + "/downloads";
    LayOutVisFolder(downloads,
                    "named|Fire.svp\nnamed|Bars.svp|Other Bars\nfile|notes.txt|not a plug-in\nnamed|Pack/pack.svp\n");
    auto originals = Files(downloads);
    StartProgram();
    ASSERT_EQ(CurrentRow(), 6);
    EXPECT_FALSE(fs::exists(session->VisFolder() + "/Lava.svp.orbiquel-copy"));
    EXPECT_FALSE(fs::exists(session->VisFolder() + "/Wave.orbiquel-copy"));
    auto before = Files(session->VisFolder());

    // Dropped rather than picked: Wine's file dialogs now and then hang as
    // they open under the emulator, so the tests open none.
    auto dropOn = [&](int row, const std::string& path) {
        Point at = Rows().at(static_cast<size_t>(row)).bounds.Center();
        session->DropFiles(main.handle, {at.x - main.client.left, at.y - main.client.top}, {path});
    };
    dropOn(6, downloads + "/Fire.svp");
    for (int wait = 0; wait < 50 && Rows().size() < 8; ++wait)
        Pause(100);
    std::vector<ListRow> rows = Rows();
    ASSERT_EQ(rows.size(), 8u);
    EXPECT_EQ(Texts(rows).at(6), "Fire Storm") << "named by the plug-in, where it was dropped";
    EXPECT_EQ(rows[6].file, "Fire.svp");
    EXPECT_TRUE(rows[6].state & kSelectedState);
    EXPECT_FALSE(rows[5].state & kSelectedState);
    EXPECT_TRUE(rows[6].flags & kEnabledFlag);
    // The running host has not loaded it: a double-click neither marks it nor writes a number.
    session->DoubleClick(Label(6));
    EXPECT_EQ(WaitForCurrent(6, 1500), 7) << "Deep, below it";
    EXPECT_EQ(session->ReadHostValue("VisNumber").data, "5");

    dropOn(6, downloads + "/Bars.svp");
    Answer(NameTaken("Bars.svp"), "OK");
    dropOn(6, downloads + "/notes.txt");
    Answer(NotAPlugin(DesktopSession::WindowsPath(downloads + "/notes.txt")), "OK");
    ASSERT_EQ(Rows().size(), 8u);

    // A folder dropped on Fire Storm's row goes in there, as a sub-folder plug-in.
    Point onFire = Rows().at(6).bounds.Center();
    session->DropFiles(main.handle, {onFire.x - main.client.left, onFire.y - main.client.top}, {downloads + "/Pack"});
    for (int wait = 0; wait < 50 && Rows().size() < 9; ++wait)
        Pause(100);
    rows = Rows();
    ASSERT_EQ(rows.size(), 9u);
    EXPECT_EQ(rows[6].file, "Pack\\pack.svp");
    EXPECT_EQ(rows[7].file, "Fire.svp");
    EXPECT_TRUE(rows[6].state & kSelectedState);

    // A built-in and the current row: Delete asks nothing and takes nothing.
    for (int row : {1, 8}) {
        session->Click(Label(row));
        session->Key("Delete");
        EXPECT_FALSE(session->WaitForDialog(kCaption, 2000)) << row;
    }
    // Bars goes to the Recycle Bin, file and row. A bin that can take nothing
    // is the Win32 recycle test's: Wine's file dialog hangs without a trash.
    std::string bars = session->VisFolder() + "/005_Bars.svp_disabled";
    session->Click(Label(5));
    session->Key("Delete");
    Answer("Move 1 plug-in(s) to the Recycle Bin?", "&Yes");
    for (int wait = 0; wait < 100 && fs::exists(bars); ++wait)
        Pause(100);
    EXPECT_FALSE(fs::exists(bars));
    std::vector<std::string> texts = Texts(Rows());
    EXPECT_EQ(std::vector<std::string>(texts.begin() + 4, texts.end()),
              (std::vector<std::string>{"Ice", "pack.svp", "Fire Storm", "Deep"}));

    ClickSave();
    ASSERT_TRUE(session->WaitForProgramExit(30000));
    EXPECT_EQ(PluginFiles(session->VisFolder()),
              (std::vector<std::string>{"004_Ice.svp", "005_Pack/pack.svp", "006_Fire.svp", "007_Deep/deep.svp"}));
    EXPECT_EQ(session->ReadHostValue("VisNumber").data, "7") << "Deep, after Ice, Pack and Fire Storm";
    auto after = Files(session->VisFolder());
    before.erase("005_Bars.svp_disabled");
    for (const char* file : {"deep.svp", "deep.name", "deep.loads"}) {
        before[std::string("007_Deep/") + file] = before[std::string("006_Deep/") + file];
        before.erase(std::string("006_Deep/") + file);
    }
    before["005_Pack/pack.svp"] = originals.at("Pack/pack.svp");
    before["006_Fire.svp"] = originals.at("Fire.svp");
    // The copies were asked for their names.
    after.erase("Fire.loads");
    after.erase("005_Pack/pack.loads");
    EXPECT_EQ(after, before);
    EXPECT_EQ(Files(downloads), originals) << "the originals stay";
}

TEST_F(HostE2E, APluginTheBinCannotTakeIsKeptOnNoAndDeletedOnlyOnYes)
{
    Install("named|004_Ice.svp|Ice\nnamed|005_Bars.svp_disabled|Bars\n");
    // Wine's Recycle Bin is the trash folder under XDG_DATA_HOME: none can be
    // made here. (Wine's file dialog hangs without a trash, so this start opens none.)
    ::setenv("XDG_DATA_HOME", "/dev/null", 1);
    StartProgram();
    ::unsetenv("XDG_DATA_HOME");
    // Return, the default, keeps Bars with its row; the question's Yes deletes it.
    std::string bars = session->VisFolder() + "/005_Bars.svp_disabled";
    for (const char* answer : {"Return", "&Yes"}) {
        session->Click(Label(5));
        session->Key("Delete");
        Answer("Move 1 plug-in(s) to the Recycle Bin?", "&Yes");
        auto question = session->WaitForDialog(kCaption, 30000);
        ASSERT_TRUE(question) << "no question before a deletion for good";
        EXPECT_EQ(question->Message(), "The Recycle Bin cannot take '" + DesktopSession::WindowsPath(bars) +
                                           "': it is switched off, the drive has none, or the file is too big "
                                           "for it.\nDelete it for good? No keeps it.");
        bool kept = answer == std::string("Return");
        if (kept)
            session->Key(answer);
        else
            session->Click(question->Button(answer).window.Center());
        ASSERT_TRUE(session->WaitForWindowGone(question->window.handle));
        Answer(NotRecycled(std::string("005_Bars.svp_disabled: ") +
                           (kept ? "kept, because the Recycle Bin cannot take it." : "deleted for good, as you chose.")),
               "OK");
        EXPECT_EQ(fs::exists(bars), kept);
        std::vector<std::string> texts = Texts(Rows());
        EXPECT_EQ(texts.size(), kept ? 6u : 5u);
        EXPECT_EQ(texts.back(), kept ? "Bars (off)" : "Ice");
    }
    EXPECT_TRUE(fs::exists(session->VisFolder() + "/004_Ice.svp"));
}

TEST_F(HostE2E, TheMenuSortsAndSwitchesAllPluginsTypingFindsARowAndTipsNameTheFiles)
{
    // Rows as found: beta (current), Alpha, alpha (off), Gamma 2, Gamma 10, Pack (sub-folder).
    Install("named|010_B.svp|beta\nnamed|011_A1.svp|Alpha\nnamed|012_A2.svp_disabled|alpha\nnamed|013_G2.svp|Gamma 2\n"
            "named|014_G10.svp|Gamma 10\nnamed|020_Pack/Pack.svp|Pack\n",
            "4");
    StartProgram();
    ASSERT_EQ(CurrentRow(), 4);
    EXPECT_EQ(TipOver(5, "011_A1.svp"), "011_A1.svp");
    EXPECT_EQ(TipOver(9, "020_Pack\\Pack.svp"), "020_Pack\\Pack.svp");
    EXPECT_EQ(TipOver(1, "Built into Melodrift"), "Built into Melodrift");

    session->Click(Label(0));
    session->Key("g");
    session->Key("a");
    EXPECT_TRUE(Rows()[7].state & kSelectedState) << "typing the first letters selects Gamma 2";

    // The Apps key opens the menu under the selected row.
    Rect gamma2 = Rows()[7].bounds, menu;
    ChooseFromMenuByKeys("Menu", {"s"}, menu);
    EXPECT_NEAR(menu.left, gamma2.left, 2);
    EXPECT_NEAR(menu.top, gamma2.bottom, 2);
    std::vector<ListRow> rows = Rows();
    std::vector<std::string> texts = Texts(rows);
    EXPECT_EQ(std::vector<std::string>(texts.begin() + 4, texts.end()),
              (std::vector<std::string>{"Alpha", "alpha (off)", "beta", "Gamma 10", "Gamma 2", "Pack"}))
        << "ignoring case, equal names in their order, digits as text";
    EXPECT_EQ(CurrentRow(), 6);
    EXPECT_TRUE(rows[8].state & kSelectedState) << "the selection travels with its row";
    ClickSave();
    ASSERT_TRUE(session->WaitForProgramExit(30000));
    EXPECT_EQ(PluginFiles(session->VisFolder()),
              (std::vector<std::string>{"004_A1.svp", "005_A2.svp_disabled", "006_B.svp", "007_G10.svp", "008_G2.svp",
                                        "009_Pack/Pack.svp"}));
    EXPECT_EQ(session->ReadHostValue("VisNumber").data, "5") << "beta, after Alpha";

    // All off but the current one, then all on again, each saved.
    StartProgram();
    ASSERT_EQ(CurrentRow(), 6);
    // Shift+F10 too, and the arrows walk the menu to "Switch all off".
    session->Click(Label(8));
    Rect gamma10 = Rows()[8].bounds;
    ChooseFromMenuByKeys("shift+F10", {"Down", "Down", "Down", "Down", "Down", "Down", "Down", "Return"}, menu);
    EXPECT_NEAR(menu.left, gamma10.left, 2);
    EXPECT_NEAR(menu.top, gamma10.bottom, 2);
    ClickSave();
    ASSERT_TRUE(session->WaitForProgramExit(30000));
    EXPECT_EQ(PluginFiles(session->VisFolder()),
              (std::vector<std::string>{"004_A1.svp_disabled", "005_A2.svp_disabled", "006_B.svp",
                                        "007_G10.svp_disabled", "008_G2.svp_disabled", "009_Pack/Pack.svp_disabled"}));
    EXPECT_EQ(session->ReadHostValue("VisNumber").data, "4");
    StartProgram();
    ChooseFromMenu("n");
    ClickSave();
    ASSERT_TRUE(session->WaitForProgramExit(30000));
    EXPECT_EQ(PluginFiles(session->VisFolder()),
              (std::vector<std::string>{"004_A1.svp", "005_A2.svp", "006_B.svp", "007_G10.svp", "008_G2.svp",
                                        "009_Pack/Pack.svp"}));
}

// Saves with the program killed while it reports a rename that a folder in
// the way made fail: early, half-way and late in 600 plug-ins. The next
// start finishes the Save or puts the names back, as the user answers.
TEST_F(HostE2E, ASaveKilledHalfWayIsFinishedOrPutBackAtTheNextStartAndEveryFileKeepsItsBytes)
{
    std::string layout, cache = "[VisCache]\r\n";
    for (int plugin = 0; plugin < 600; ++plugin) {
        char name[8];
        std::snprintf(name, sizeof name, "P%03d", plugin);
        layout += std::string("file|") + name + (plugin % 5 ? ".svp" : ".svp_disabled") + "|bytes of " + name + "\n";
        cache += std::string(name) + "=Visual " + name + "\r\n";
    }
    Install(layout, "7");
    std::ofstream(session->ProgramFolder() + "/orbiquel.ini", std::ios::binary) << cache;
    const std::string vis = session->VisFolder();

    // Sorts with the menu, switches all on, puts a folder where row blocked's
    // tag goes and saves; killed at that rename. The files a whole Save
    // gives, the blocked plug-in's name and the folder in its way.
    auto saveKilledAt = [&](const std::string& sortKey, int blocked) {
        StartProgram();
        ChooseFromMenu(sortKey);
        ChooseFromMenu("n");
        std::vector<ListRow> rows = Rows();
        std::map<std::string, std::string> before = Files(vis), whole;
        for (size_t row = kFirstPluginRow; row < rows.size(); ++row) {
            RenamePlan plan = PlanRename(rows[row].index, rows[row].file, true);
            std::string saved = plan.changesState ? plan.stateTarget : plan.newName;
            whole[rows[row].index == blocked ? rows[row].file : saved] = before.at(rows[row].file);
        }
        std::string inTheWay = PlanRename(blocked, rows.at(blocked).file, true).tagTarget;
        EXPECT_NE(inTheWay, rows[blocked].file);
        fs::create_directory(vis + "/" + inTheWay);
        ClickSave();
        auto box = session->WaitForDialog(kCaption, 120000);
        EXPECT_TRUE(box && box->Message() == TagFailed(rows[blocked].file));
        EXPECT_TRUE(session->KillProgram());
        return std::make_pair(whole, std::make_pair(rows[blocked].file, vis + "/" + inTheWay));
    };
    auto startAndAnswer = [&](const std::string& question, const std::string& button) {
        session->StartProgram();
        Answer(question, button);
    };
    auto endProgram = [&] {
        main = session->WaitForMainWindow(120000);
        session->Click(session->Control(main.handle, kCancelButton).window.Center());
        ASSERT_TRUE(session->WaitForProgramExit(30000));
    };

    auto [whole, blocked] = saveKilledAt("z", 10);
    startAndAnswer(SaveCutShort(6, 600), "&Yes");
    Answer(RenamesFailed(blocked.first), "OK");
    endProgram();
    EXPECT_EQ(Files(vis), whole) << "finished as a whole Save, every file with its bytes";
    fs::remove(blocked.second);

    // Sorted A to Z, every plug-in gets another tag.
    std::map<std::string, std::string> beforeSecond = Files(vis);
    std::string visNumber = session->ReadHostValue("VisNumber").data;
    auto second = saveKilledAt("s", 300);
    startAndAnswer(SaveCutShort(296, 600), "&No");
    endProgram();
    EXPECT_EQ(Files(vis), beforeSecond) << "every name from before the Save";
    EXPECT_EQ(session->ReadHostValue("VisNumber").data, visNumber);
    fs::remove(second.second.second);

    // Melodrift started again, stopped, before Orbiquel: the Save is finished
    // only around its quit and restart, with no " -play" or " -scanto".
    auto [third, lastBlocked] = saveKilledAt("s", 590);
    StartHost("", "start");
    ASSERT_TRUE(session->WaitForWindow("Melodrift", "Melodrift Window Class", 120000)) << "the player's window";
    size_t logStart = session->HostLog().size();
    startAndAnswer(SaveCutShort(586, 600), "&Yes");
    Answer(kRestartQuestion, "&Yes");
    Answer(RenamesFailed(lastBlocked.first), "OK");
    ASSERT_TRUE(WaitForHostLogCount("start", 1, logStart)) << "started again";
    EXPECT_EQ(HostLogCount("exit", logStart), 1) << "quit before the renames";
    endProgram();
    EXPECT_EQ(HostLogCount("start -play", logStart), 0);
    EXPECT_EQ(Files(vis), third);
    StartProgram();
    EXPECT_FALSE(session->WaitForDialog(kCaption, 0)) << "a finished Save is not offered again";
}
