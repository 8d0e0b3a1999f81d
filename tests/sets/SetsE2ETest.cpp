// Sets with the real program: kept from the list, applied, saved and taken
// back, exported, deleted and imported through the file dialogs, and the
// messages for missing plug-ins and a malformed file, with real input.
#include <filesystem>
#include <fstream>
#include <sstream>
#include "tests/host/HostE2EFixture.h"

using namespace e2e;
namespace fs = std::filesystem;

namespace {
const char kPartySet[] = "\xEF\xBB\xBFOrbiquel set 1\r\nName: Party\r\nCurrent: Comet\r\non|Drift|Drift\r\n"
                         "on|Comet|Comet\r\noff|Bars|Bars\r\non|Alpha|Alpha\r\n";

std::string FileText(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

// The program writes after its dialog or message box has gone: the file's
// text once it is expected, or what it holds after half a minute.
std::string AwaitFileText(const std::string& path, const std::string& expected)
{
    for (int wait = 0; wait < 300 && FileText(path) != expected; ++wait)
        Pause(100);
    return FileText(path);
}

bool AwaitGone(const std::string& path)
{
    for (int wait = 0; wait < 300 && fs::exists(path); ++wait)
        Pause(100);
    return !fs::exists(path);
}

std::vector<std::string> PluginFiles(const std::string& vis)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(vis))
        if (entry.path().string().find(".svp") != std::string::npos)
            names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class SetsE2E : public HostE2E {
protected:
    SetsE2E() { options.fileDialogs = true; }

    std::string SetsFolder() { return session->ProgramFolder() + "/Orbiquel sets"; }

    // The plug-in rows as "text", "text (off)", "text (current)".
    std::vector<std::string> PluginRows()
    {
        std::vector<std::string> shown;
        for (const ListRow& row : Rows())
            if (row.index >= 4)
                shown.push_back(row.text + (row.image == 1 ? " (off)" : "") +
                                (row.flags & kCurrentFlag ? " (current)" : ""));
        return shown;
    }

    // The plug-in rows once they are as expected, or as they are after half a minute.
    std::vector<std::string> AwaitRows(const std::vector<std::string>& expected)
    {
        for (int wait = 0; wait < 300 && PluginRows() != expected; ++wait)
            Pause(100);
        return PluginRows();
    }

    // The popup menu's "Sets", then an item of it by its access key.
    void ChooseSet(const std::string& key) { ChooseFromMenu("t", key); }

    // Types a path into the file dialog of that title and presses Enter.
    void PickFile(const std::string& title, const std::string& linuxPath)
    {
        auto dialog = session->WaitForDialog(title, 60000);
        ASSERT_TRUE(dialog) << "no file dialog " << title << " " << session->Screenshot("no-file-dialog");
        session->Xdotool({"type", "--delay", "30", DesktopSession::WindowsPath(linuxPath)});
        session->Key("Return");
        ASSERT_TRUE(session->WaitForWindowGone(dialog->window.handle, 30000));
    }
};
}

TEST_F(SetsE2E, KeptSetAppliesSavesUndoesAndTravelsAsAFileAndBadSetsChangeNothing)
{
    Install("named|Alpha.svp|Alpha\nnamed|Bars.svp|Bars\nnamed|Comet.svp|Comet\nnamed|Drift.svp|Drift\n");
    StartProgram();
    // The arrangement kept: Z to A, Bars off, Comet current.
    ChooseFromMenu("z");
    session->Click(Lamp(6));
    session->DoubleClick(Label(5));
    const std::vector<std::string> party{"Drift", "Comet (current)", "Bars (off)", "Alpha"};
    ASSERT_EQ(PluginRows(), party);
    ChooseSet("s");
    auto naming = session->WaitForDialog("Save as set", 30000);
    ASSERT_TRUE(naming) << "no name dialog";
    session->Xdotool({"type", "--delay", "30", "Party"});
    session->Key("Return");
    ASSERT_TRUE(session->WaitForWindowGone(naming->window.handle));
    EXPECT_EQ(AwaitFileText(SetsFolder() + "/Party.txt", kPartySet), kPartySet);

    ChooseFromMenu("s");
    ChooseFromMenu("n");
    session->DoubleClick(Label(4));
    ASSERT_EQ(PluginRows(), (std::vector<std::string>{"Alpha (current)", "Bars", "Comet", "Drift"}));
    ChooseSet("1");
    EXPECT_EQ(AwaitRows(party), party);
    ClickSave();
    ASSERT_TRUE(session->WaitForProgramExit(30000));
    EXPECT_EQ(PluginFiles(session->VisFolder()),
              (std::vector<std::string>{"004_Drift.svp", "005_Comet.svp", "006_Bars.svp_disabled", "007_Alpha.svp"}));
    EXPECT_EQ(session->ReadHostValue("VisNumber").data, "5") << "Comet, after the built-ins and Drift";

    StartProgram();
    ChooseFromMenu("l");
    ASSERT_TRUE(session->WaitForProgramExit(30000));
    EXPECT_EQ(PluginFiles(session->VisFolder()),
              (std::vector<std::string>{"Alpha.svp", "Bars.svp", "Comet.svp", "Drift.svp"}));

    // Exported, deleted, imported: the same set.
    StartProgram();
    const std::string exported = session->Folder() + "/party-export.txt";
    ChooseSet("e");
    PickFile("Save As", exported);
    EXPECT_EQ(AwaitFileText(exported, kPartySet), kPartySet);
    ChooseSet("d");
    Answer("Move the set 'Party' to the Recycle Bin?", "&Yes");
    EXPECT_TRUE(AwaitGone(SetsFolder() + "/Party.txt"));
    ChooseSet("i");
    PickFile("Open", exported);
    EXPECT_EQ(AwaitFileText(SetsFolder() + "/Party.txt", kPartySet), kPartySet);
    ChooseSet("1");
    EXPECT_EQ(AwaitRows(party), party);

    // Two plug-ins it names are gone: one message, the rest applied. Ctrl+1
    // applies the first set by name.
    std::ofstream(SetsFolder() + "/gone.txt", std::ios::binary)
        << "Orbiquel set 1\nName: Gone\nCurrent: Bars\noff|Alpha|Alpha\non|Lost|Lost One\non|Bars|Bars\n"
           "on|Nowhere|\n";
    session->Click(Label(4));
    session->Key("ctrl+1");
    Answer("These plug-ins of the set are not installed, so the set was applied without them:\nLost One\nNowhere",
           "OK");
    EXPECT_EQ(PluginRows(), (std::vector<std::string>{"Alpha (off)", "Bars (current)", "Drift (off)", "Comet (off)"}));

    // A malformed line: refused, naming the file and the line; nothing changes.
    const std::string broken = session->Folder() + "/broken.txt";
    std::ofstream(broken, std::ios::binary) << "Orbiquel set 1\nName: Broken\nCurrent:\non|Alpha|Alpha\nmaybe|Bars|B\n";
    auto shown = PluginRows();
    ChooseSet("i");
    PickFile("Open", broken);
    Answer("Orbiquel cannot use the set file\n" + DesktopSession::WindowsPath(broken) +
               "\nbecause line 5 is not written as a set's line must be. Nothing was changed.",
           "OK");
    EXPECT_EQ(PluginRows(), shown);
    EXPECT_FALSE(fs::exists(SetsFolder() + "/Broken.txt"));
}
