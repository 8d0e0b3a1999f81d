#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <algorithm>
#include <map>
#include <ostream>
#include <string>
#include <vector>
#include "catalogue/CPluginScanner.h"
#include "catalogue/DisplayName.h"
#include "catalogue/VisFolder.h"
#include "catalogue/VisPlugin.h"
#include "framework/CListCtrl.h"
#include "framework/CProfileFile.h"
#include "testing/plugins/StandInPlugins.h"
#include "tests/TempFolder.h"

using standin::Kind;

namespace {
struct Row {
    std::string name;
    int image;
    std::string file;
    unsigned long flags;
};

bool operator==(const Row& a, const Row& b)
{
    return a.name == b.name && a.image == b.image && a.file == b.file && a.flags == b.flags;
}

std::ostream& operator<<(std::ostream& out, const Row& row)
{
    return out << "{\"" << row.name << "\", image " << row.image << ", \"" << row.file << "\", flags " << row.flags
               << "}";
}

const std::vector<Row> kBuiltinRows = {
    {"Waveform 1.1", IMG_BUILTIN, "", VIS_ENABLED},
    {"Spectrum 1.0", IMG_BUILTIN, "", VIS_ENABLED},
    {"Spectrum 2.0", IMG_BUILTIN, "", VIS_ENABLED},
    {"VU Sweep 1.1", IMG_BUILTIN, "", VIS_ENABLED},
};

// The top-level names of folder in the order the file system enumerates them.
std::vector<std::string> EnumerationOrder(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = ::FindFirstFileA((folder + "\\*.*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        std::string name = data.cFileName;
        if (name != "." && name != "..")
            names.push_back(name);
    } while (::FindNextFileA(find, &data));
    ::FindClose(find);
    return names;
}
}

// A list view in a window of its own, as the main window has it.
class PluginScan : public ::testing::Test {
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
        ::InitCommonControlsEx(&controls);
        m_frame = ::CreateWindowExA(0, "STATIC", "scan", WS_OVERLAPPEDWINDOW, 0, 0, 300, 400, nullptr, nullptr,
                                    nullptr, nullptr);
        HWND list = ::CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_NOCOLUMNHEADER,
                                      0, 0, 280, 380, m_frame, reinterpret_cast<HMENU>(1000), nullptr, nullptr);
        ASSERT_TRUE(m_list.SubclassWindow(list));
        LVCOLUMNA column{};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
        column.fmt = LVCFMT_CENTER;
        column.cx = 260;
        column.pszText = const_cast<char*>("");
        ASSERT_EQ(m_list.InsertColumn(0, &column), 0);
        ::CreateDirectoryA(m_vis.c_str(), nullptr);
    }

    void TearDown() override
    {
        for (int row = 0; row < m_list.GetItemCount(); ++row)
            delete reinterpret_cast<VisPlugin*>(m_list.GetItemData(row));
        ::DestroyWindow(m_frame);
    }

    void Scan(const std::string& visFolder)
    {
        CPluginScanner scanner(m_list, visFolder, m_settings, m_enabledAtLoad,
                               [this](const std::string& path, const std::string&) { m_warnings.push_back(path); });
        EXPECT_TRUE(scanner.ScanPlugins());
    }

    Row ReadRow(int index) const
    {
        std::string text(8192, '\0');
        LVITEMA item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
        item.iItem = index;
        item.pszText = &text[0];
        item.cchTextMax = static_cast<int>(text.size());
        EXPECT_TRUE(m_list.GetItem(&item));
        const auto* plugin = reinterpret_cast<const VisPlugin*>(item.lParam);
        EXPECT_NE(plugin, nullptr);
        if (!plugin)
            return {};
        EXPECT_EQ(plugin->loadIndex, index);
        return {item.pszText, item.iImage, plugin->file, plugin->flags};
    }

    std::vector<Row> Rows() const
    {
        std::vector<Row> rows;
        for (int index = 0; index < m_list.GetItemCount(); ++index)
            rows.push_back(ReadRow(index));
        return rows;
    }

    void ExpectOnlyBuiltinRows()
    {
        EXPECT_EQ(Rows(), kBuiltinRows);
        EXPECT_EQ(m_enabledAtLoad, (std::vector<unsigned char>{1, 1, 1, 1}));
        EXPECT_TRUE(m_warnings.empty());
    }

    TempFolder m_folder;
    std::string m_vis = m_folder / "Vis";
    CProfileFile m_settings{m_folder / "orbiquel.ini"};
    HWND m_frame = nullptr;
    CListCtrl m_list;
    std::vector<unsigned char> m_enabledAtLoad{9, 9};
    std::vector<std::string> m_warnings;
};

TEST_F(PluginScan, MixedVisFolderGivesExactlyTheExpectedRowsInEnumerationOrder)
{
    struct Expected {
        Row row;
        bool warns;
    };
    std::map<std::string, Expected> expected;
    auto add = [&](const std::string& entry, const Row& row, bool warns) { expected[entry] = {row, warns}; };

    standin::AddNamedPlugin(m_vis, "012_Fire.svp", "Fire Storm");
    add("012_Fire.svp", {"Fire Storm", IMG_ENABLED, "012_Fire.svp", VIS_ENABLED}, false);
    standin::AddNamedPlugin(m_vis, "Ice.svp_disabled", "Ice Age");
    add("Ice.svp_disabled", {"Ice Age", IMG_DISABLED, "Ice.svp_disabled", VIS_DISABLED_ON_DISK}, false);
    standin::AddNamedPlugin(m_vis, "Deep\\deep.svp_disabled", "Deep Sea");
    m_folder.WriteFile("Vis\\Deep\\notes.txt", "");
    add("Deep", {"Deep Sea", IMG_DISABLED, "Deep\\deep.svp_disabled", VIS_DISABLED_ON_DISK}, false);
    standin::AddPlugin(m_vis, "Broken.v2\\broken.svp", Kind::NullRecord);
    add("Broken.v2", {"Broken", IMG_ENABLED, "Broken.v2\\broken.svp", VIS_ENABLED}, true);
    standin::AddNonLibrary(m_vis, "Junk.svp");
    add("Junk.svp", {"Junk", IMG_ENABLED, "Junk.svp", VIS_ENABLED}, true);
    standin::AddPlugin(m_vis, "007_Blank.svp", Kind::NullRecord);
    add("007_Blank.svp", {"007_Blank", IMG_ENABLED, "007_Blank.svp", VIS_ENABLED}, true);
    standin::AddPlugin(m_vis, "NoName.svp", Kind::NullName);
    add("NoName.svp", {"NoName", IMG_ENABLED, "NoName.svp", VIS_ENABLED}, true);
    standin::AddNamedPlugin(m_vis, "Quiet.svp_disabled", "");
    add("Quiet.svp_disabled", {"Quiet", IMG_DISABLED, "Quiet.svp_disabled", VIS_DISABLED_ON_DISK}, true);
    standin::AddPlugin(m_vis, "Locked.svp_disabled", Kind::FailInit);
    m_settings.WriteString(kLockedSection, "Locked", "Locked by Hand");
    add("Locked.svp_disabled", {"Locked by Hand", IMG_DISABLED, "Locked.svp_disabled", VIS_DISABLED_ON_DISK}, false);
    standin::AddPlugin(m_vis, "Crash.svp", Kind::CrashQuery);
    add("Crash.svp", {"Crash", IMG_ENABLED, "Crash.svp", VIS_ENABLED}, true);
    standin::AddNonLibrary(m_vis, "Cached.svp");
    m_settings.WriteString(kCacheSection, "Cached", "From Cache");
    add("Cached.svp", {"From Cache", IMG_ENABLED, "Cached.svp", VIS_ENABLED}, false);
    // Not catalogued.
    for (const char* ignored : {"Ember.SVP", "Glow.Svp", "Glow.svpx", "Glow.svp.bak"})
        standin::AddNamedPlugin(m_vis, ignored, "Ignored");
    m_folder.WriteFile("Vis\\readme.txt", "");
    m_folder.MakeFolder("Vis\\TextOnly");
    m_folder.WriteFile("Vis\\TextOnly\\notes.txt", "");
    m_folder.MakeFolder("Vis\\Empty");

    std::vector<Row> rows = kBuiltinRows;
    std::vector<unsigned char> enabledAtLoad = {1, 1, 1, 1};
    std::vector<std::string> warnings;
    for (const std::string& entry : EnumerationOrder(m_vis)) {
        auto found = expected.find(entry);
        if (found == expected.end())
            continue;
        rows.push_back(found->second.row);
        enabledAtLoad.push_back(found->second.row.image == IMG_ENABLED ? 1 : 0);
        if (found->second.warns) {
            rows.back().flags |= VIS_NO_NAME;
            warnings.push_back(m_vis + "\\" + found->second.row.file);
        }
    }
    ASSERT_EQ(rows.size(), kBuiltinRows.size() + expected.size()) << "every expected entry was laid out";

    Scan(m_vis + "\\");
    EXPECT_EQ(Rows(), rows);
    EXPECT_EQ(m_enabledAtLoad, enabledAtLoad);
    EXPECT_EQ(m_warnings, warnings);
}

TEST_F(PluginScan, PluginsSharingAKeyAreAskedOnceAndNamesAreWrittenAfterTheScan)
{
    standin::AddNamedPlugin(m_vis, "012_Fire.svp", "Fire Storm");
    standin::AddPlugin(m_vis, "Fire.svp_disabled", Kind::Named);
    standin::AddNamedPlugin(m_vis, "Ice.svp", "Ice Age");
    standin::AddPlugin(m_vis, "Zero.svp", Kind::NullRecord);
    m_settings.WriteString("Other", "Kept", "as it was");
    // Written while a warning is up, as a user who reads the readme might.
    CPluginScanner scanner(m_list, m_vis + "\\", m_settings, m_enabledAtLoad,
                           [this](const std::string&, const std::string&) {
        EXPECT_EQ(m_settings.GetString(kCacheSection, "Fire"), "") << "names are written after the scan";
        m_settings.WriteString(kLockedSection, "Zero", "Zero by Hand");
    });
    scanner.ScanPlugins();

    EXPECT_EQ(standin::LoadCount(m_vis, "012_Fire.svp"), 1) << "the second plug-in keyed Fire takes the first's name";
    std::vector<Row> rows = Rows();
    EXPECT_EQ(rows.size(), 8u);
    EXPECT_EQ(std::count_if(rows.begin(), rows.end(), [](const Row& row) { return row.name == "Fire Storm"; }), 2);
    EXPECT_EQ(m_settings.GetString(kCacheSection, "Fire"), "Fire Storm");
    EXPECT_EQ(m_settings.GetString(kCacheSection, "Ice"), "Ice Age");
    EXPECT_EQ(m_settings.GetString(kLockedSection, "Zero"), "Zero by Hand");
    EXPECT_EQ(m_settings.GetString("Other", "Kept"), "as it was");
}

TEST_F(PluginScan, ScrollBarCoversEveryRowAfterTheScan)
{
    // More rows than the list shows; the names come from the cache.
    const int plugins = 60;
    for (int i = 0; i < plugins; ++i) {
        std::string title = "Plugin" + std::to_string(i);
        standin::AddNonLibrary(m_vis, title + ".svp");
        m_settings.WriteString(kCacheSection, title, "Visual " + std::to_string(i));
    }
    Scan(m_vis + "\\");
    ASSERT_EQ(m_list.GetItemCount(), 4 + plugins);
    EXPECT_TRUE(m_warnings.empty());
    // The list lays itself out again only when drawing is back on after the scan.
    SCROLLINFO scroll{};
    scroll.cbSize = sizeof scroll;
    scroll.fMask = SIF_RANGE | SIF_PAGE;
    ASSERT_TRUE(::GetScrollInfo(m_list, SB_VERT, &scroll));
    EXPECT_EQ(scroll.nMax, 4 + plugins - 1);
    EXPECT_LT(scroll.nPage, static_cast<UINT>(4 + plugins));
}

TEST_F(PluginScan, EmptyVisFolderGivesTheFourBuiltinRowsAndNoMessage)
{
    Scan(m_vis + "\\");
    ExpectOnlyBuiltinRows();
}

TEST_F(PluginScan, MissingVisFolderGivesTheFourBuiltinRowsAndNoMessage)
{
    Scan(m_folder / "Missing\\");
    ExpectOnlyBuiltinRows();
}

TEST_F(PluginScan, UnknownVisFolderScansNothingElse)
{
    // Without the host's folder, plug-ins in the current folder are none of ours.
    standin::AddNamedPlugin(m_folder.Path(), "Stray.svp", "Stray");
    char previous[MAX_PATH] = "";
    ::GetCurrentDirectoryA(MAX_PATH, previous);
    ::SetCurrentDirectoryA(m_folder.Path().c_str());
    Scan("");
    ::SetCurrentDirectoryA(previous);
    ExpectOnlyBuiltinRows();
    EXPECT_EQ(standin::LoadCount(m_folder.Path(), "Stray.svp"), 0);
}

TEST_F(PluginScan, FolderPluginIsTheFirstFileMatchingSvpInAnyCase)
{
    m_folder.MakeFolder("Vis\\Pack");
    m_folder.MakeFolder("Vis\\Pack\\inner.svp");
    m_folder.WriteFile("Vis\\Pack\\DEEP.SVP", "");
    m_folder.WriteFile("Vis\\Pack\\notes.txt", "");
    m_folder.MakeFolder("Vis\\TextOnly");
    m_folder.WriteFile("Vis\\TextOnly\\notes.txt", "");

    EXPECT_EQ(FindPluginInFolder(m_folder / L"Vis\\Pack"), "\\DEEP.SVP");
    EXPECT_EQ(FindPluginInFolder(m_folder / L"Vis\\TextOnly"), "");
    EXPECT_EQ(FindPluginInFolder(m_folder / L"Vis\\Missing"), "");
}

// "ā" is no character of the Western code page: the folder search names
// these "D?wn", "F?re.svp" and "W?ve". Each counts, so that the rows after
// it keep the host's numbers.
TEST_F(PluginScan, SubFoldersTheCodePageCannotHoldAreListedLikeFilesItCannotHold)
{
    m_folder.MakeFolder(L"Vis\\D\u0101wn");
    m_folder.WriteFile(L"Vis\\D\u0101wn\\Dawn.svp_disabled");
    m_settings.WriteString(kCacheSection, "Dawn", "Dawn Light");
    m_folder.WriteFile(L"Vis\\F\u0101re.svp");
    m_folder.MakeFolder(L"Vis\\W\u0101ve");
    m_folder.WriteFile(L"Vis\\W\u0101ve\\Wave.svp");
    standin::AddNamedPlugin(m_vis, "Zed.svp", "Zed");

    Scan(m_vis + "\\");
    std::vector<Row> rows = Rows();
    ASSERT_EQ(rows.size(), 8u);
    ASSERT_EQ(m_enabledAtLoad.size(), 8u);
    for (size_t row = 4; row < rows.size(); ++row)
        EXPECT_EQ(m_enabledAtLoad[row], rows[row].image == IMG_ENABLED ? 1 : 0) << rows[row];
    // The file system's own order does not matter here.
    auto byFile = [](const Row& a, const Row& b) { return a.file < b.file; };
    std::sort(rows.begin() + 4, rows.end(), byFile);
    EXPECT_EQ(std::vector<Row>(rows.begin() + 4, rows.end()),
              (std::vector<Row>{{"Dawn Light", IMG_DISABLED, "D?wn\\Dawn.svp_disabled", VIS_DISABLED_ON_DISK},
                                {"F?re", IMG_ENABLED, "F?re.svp", VIS_ENABLED | VIS_NO_NAME},
                                {"W?ve", IMG_ENABLED, "W?ve\\Wave.svp", VIS_ENABLED | VIS_NO_NAME},
                                {"Zed", IMG_ENABLED, "Zed.svp", VIS_ENABLED}}));
    std::sort(m_warnings.begin(), m_warnings.end());
    EXPECT_EQ(m_warnings, (std::vector<std::string>{m_vis + "\\F?re.svp", m_vis + "\\W?ve\\Wave.svp"}));
}

TEST_F(PluginScan, AddedRowOwnsAFreshRecordAtTheEnd)
{
    CPluginScanner scanner(m_list, m_vis + "\\", m_settings, m_enabledAtLoad,
                           [](const std::string&, const std::string&) {});
    EXPECT_EQ(scanner.AddPluginItem("One", "One.svp", IMG_ENABLED), 0);
    EXPECT_EQ(scanner.AddPluginItem("Two", "Two.svp_disabled", IMG_DISABLED), 1);
    EXPECT_EQ(scanner.AddPluginItem("Three", "", IMG_BUILTIN), 2);
    EXPECT_EQ(Rows(), (std::vector<Row>{{"One", IMG_ENABLED, "One.svp", VIS_ENABLED},
                                        {"Two", IMG_DISABLED, "Two.svp_disabled", VIS_DISABLED_ON_DISK},
                                        {"Three", IMG_BUILTIN, "", VIS_ENABLED}}));
}
