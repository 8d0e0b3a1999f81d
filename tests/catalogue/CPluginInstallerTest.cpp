#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <string>
#include <vector>
#include "catalogue/CPluginInstaller.h"
#include "catalogue/VisPlugin.h"
#include "framework/CListCtrl.h"
#include "framework/CProfileFile.h"
#include "testing/plugins/StandInPlugins.h"
#include "tests/TempFolder.h"

using standin::Kind;

namespace {
using Strings = std::vector<std::string>;
using Rows = std::vector<int>;

bool Exists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}
}

// A scanned Vis folder in a list of its own, and a user who answers as told.
class PluginInstall : public ::testing::Test {
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
        ::InitCommonControlsEx(&controls);
        HWND list = ::CreateWindowExA(0, WC_LISTVIEWA, "", LVS_REPORT, 0, 0, 300, 400, nullptr, nullptr, nullptr,
                                      nullptr);
        ASSERT_TRUE(m_list.SubclassWindow(list));
        ::CreateDirectoryA(m_vis.c_str(), nullptr);
        ::CreateDirectoryA(m_downloads.c_str(), nullptr);
    }

    void TearDown() override
    {
        for (int row = 0; row < m_list.GetItemCount(); ++row)
            delete reinterpret_cast<VisPlugin*>(m_list.GetItemData(row));
        ::DestroyWindow(m_list.m_hWnd);
    }

    CPluginInstaller Installer()
    {
        return CPluginInstaller(
            m_list, m_vis + "\\", m_settings, m_enabledAtLoad,
            [this](const std::string& path, const std::string&) { m_warnings.push_back(path); },
            [this](const std::string& text, UINT) {
                m_messages.push_back(text);
                return m_answer;
            });
    }

    void Scan()
    {
        CPluginScanner(m_list, m_vis + "\\", m_settings, m_enabledAtLoad, [](const std::string&, const std::string&) {})
            .ScanPlugins();
    }

    const VisPlugin& Plugin(int row) { return *reinterpret_cast<const VisPlugin*>(m_list.GetItemData(row)); }

    TempFolder m_folder;
    std::string m_vis = m_folder / "Vis";
    std::string m_downloads = m_folder / "Downloads";
    CProfileFile m_settings{m_folder / "orbiquel.ini"};
    CListCtrl m_list;
    std::vector<unsigned char> m_enabledAtLoad;
    Strings m_warnings;
    Strings m_messages;
    int m_answer = IDOK;
};

TEST_F(PluginInstall, AddCopiesFilesAndFoldersNeverOverAPluginAndRowsAreOnesTheHostNeverLoaded)
{
    standin::AddNamedPlugin(m_vis, "007_Ice.svp_disabled", "Ice Age");
    Scan();
    ASSERT_EQ(m_list.GetItemCount(), 5);
    standin::AddNamedPlugin(m_downloads, "Fire.svp", "Fire Storm");
    standin::WriteTextFile(m_vis + "\\Fire.name", "Fire Storm");
    standin::AddPlugin(m_downloads, "Ice.svp", Kind::Named);
    standin::WriteTextFile(m_downloads + "\\notes.txt", "no plug-in");
    standin::AddPlugin(m_downloads, "Pack\\pack.svp", Kind::Named);
    standin::AddNonLibrary(m_downloads, "Pack\\Data\\more.bin");
    // A name the code page cannot hold fails only itself, not the folder.
    m_folder.WriteFile(std::wstring(L"Downloads\\Pack\\Data\\\u4e00.bin"));
    standin::AddPlugin(m_downloads, "Blank.svp", Kind::NullRecord);
    ::CreateDirectoryA((m_downloads + "\\Empty").c_str(), nullptr);

    Strings paths;
    for (const char* name : {"Fire.svp", "notes.txt", "Ice.svp", "Pack", "Empty", "Blank.svp", "Fire.svp"})
        paths.push_back(m_downloads + "\\" + name);
    EXPECT_EQ(Installer().AddPlugins(paths, 4), (Rows{4, 5, 6}));

    EXPECT_EQ(m_messages, (Strings{"'" + paths[1] + "' is not a visual plug-in, so Orbiquel did not copy it.",
                                   "The Vis folder already holds a plug-in named 'Ice.svp', so Orbiquel did not copy it.",
                                   "'" + paths[4] + "' is not a visual plug-in, so Orbiquel did not copy it.",
                                   "The Vis folder already holds a plug-in named 'Fire.svp', so Orbiquel did not copy it."}));
    EXPECT_EQ(m_warnings, Strings{m_vis + "\\Blank.svp"});
    for (const char* copied : {"Fire.svp", "Pack\\pack.svp", "Pack\\Data\\more.bin", "Blank.svp"}) {
        EXPECT_TRUE(Exists(m_vis + "\\" + copied)) << copied;
        EXPECT_TRUE(Exists(m_downloads + "\\" + copied)) << copied;
    }
    EXPECT_NE(::GetFileAttributesW((m_folder / std::wstring(L"Vis\\Pack\\Data\\\u4e00.bin")).c_str()),
              INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(Exists(m_vis + "\\notes.txt"));
    EXPECT_FALSE(Exists(m_vis + "\\Empty"));
    EXPECT_FALSE(Exists(m_vis + "\\Ice.svp"));

    Strings texts, files;
    for (int row = 4; row < m_list.GetItemCount(); ++row) {
        texts.push_back(m_list.GetItemText(row, 0));
        files.push_back(Plugin(row).file);
    }
    EXPECT_EQ(texts, (Strings{"Fire Storm", "pack.svp", "Blank", "Ice Age"}));
    EXPECT_EQ(files, (Strings{"Fire.svp", "Pack\\pack.svp", "Blank.svp", "007_Ice.svp_disabled"}));
    for (int row = 4; row <= 6; ++row) {
        unsigned long noName = row == 6 ? static_cast<unsigned long>(VIS_NO_NAME) : 0;
        EXPECT_EQ(Plugin(row).flags, static_cast<unsigned long>(VIS_ENABLED | VIS_ADDED) | noName) << row;
        EXPECT_EQ(Plugin(row).loadIndex, row + 1) << "past every position the host loaded";
    }
    EXPECT_EQ(Plugin(7).loadIndex, 4);
    EXPECT_EQ(m_enabledAtLoad, (std::vector<unsigned char>{1, 1, 1, 1, 0, 0, 0, 0}));
    char cached[64] = "";
    ::GetPrivateProfileStringA("VisCache", "Fire", "", cached, sizeof cached, m_settings.GetPath().c_str());
    EXPECT_STREQ(cached, "Fire Storm");
}

TEST_F(PluginInstall, RecycleAsksOnceThenTakesFilesAndSubFoldersAndLeavesHeldOnes)
{
    standin::AddNamedPlugin(m_vis, "004_Fire.svp", "Fire Storm");
    standin::AddPlugin(m_vis, "005_Pack\\pack.svp_disabled", Kind::Named);
    standin::AddNamedPlugin(m_vis, "Held.svp", "Held");
    Scan();
    ASSERT_EQ(m_list.GetItemCount(), 7);
    m_answer = IDNO;
    EXPECT_TRUE(Installer().RecyclePlugins({4, 5, 6}).empty());
    EXPECT_EQ(m_messages, Strings{"Move 3 plug-in(s) to the Recycle Bin?"});
    EXPECT_TRUE(Exists(m_vis + "\\004_Fire.svp"));

    m_messages.clear();
    m_answer = IDYES;
    // Loaded, as the host holds the plug-ins it shows.
    HMODULE held = ::LoadLibraryA((m_vis + "\\Held.svp").c_str());
    ASSERT_NE(held, nullptr);
    Rows others;
    for (int row = 4; row <= 6; ++row)
        if (Plugin(row).file != "Held.svp")
            others.push_back(row);
    EXPECT_EQ(Installer().RecyclePlugins({4, 5, 6}), others);
    ::FreeLibrary(held);
    EXPECT_EQ(m_messages, (Strings{"Move 3 plug-in(s) to the Recycle Bin?",
                                   "These plug-ins did not go to the Recycle Bin:\nHeld.svp: kept, because Melodrift "
                                   "holds it or the folder may not be changed."}));
    EXPECT_FALSE(Exists(m_vis + "\\004_Fire.svp"));
    EXPECT_FALSE(Exists(m_vis + "\\005_Pack"));
    EXPECT_TRUE(Exists(m_vis + "\\Held.svp"));
    EXPECT_TRUE(Exists(m_vis + "\\Fire.name")) << "only the plug-in goes";
}

TEST_F(PluginInstall, ACopyThatCannotTakeItsNameLeavesNothingBehind)
{
    standin::AddPlugin(m_downloads, "Pack\\pack.svp", Kind::Named);
    standin::AddNonLibrary(m_vis, "Pack\\notes.txt");
    Scan();
    EXPECT_TRUE(Installer().AddPlugins({m_downloads + "\\Pack"}, 4).empty());
    EXPECT_EQ(m_messages, Strings{"Orbiquel could not copy '" + m_downloads + "\\Pack' into the Vis folder."});
    EXPECT_FALSE(Exists(m_vis + "\\Pack\\pack.svp"));
    EXPECT_FALSE(Exists(m_vis + "\\Pack.orbiquel-copy"));
    EXPECT_TRUE(Exists(m_vis + "\\Pack\\notes.txt"));
}
