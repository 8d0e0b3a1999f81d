#pragma once
// One end-to-end world for the host link and Save: the real program and the
// stand-in player on one Wine desktop, the list read through the probe.
#include <gtest/gtest.h>
#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>
#include "testing/harness/DesktopSession.h"
#include "tests/catalogue/VisLayout.h"

namespace e2e {

constexpr int kList = 1000;
constexpr int kSaveButton = 1;
constexpr int kCancelButton = 1001;
constexpr unsigned long kEnabledFlag = 0x1, kCurrentFlag = 0x10000000;
constexpr unsigned kSelectedState = 0x2;  // LVIS_SELECTED
constexpr char kCaption[] = "Orbiquel";

inline void Pause(int milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

class HostE2E : public ::testing::Test {
protected:
    void Install(const std::string& layout, const std::string& visNumber = "")
    {
        session = std::make_unique<DesktopSession>(options);
        session->InstallHost();
        LayOutVisFolder(session->VisFolder(), layout);
        if (!visNumber.empty())
            session->WriteHostValue("VisNumber", visNumber);
    }

    void StartHost(const std::string& switches, const std::string& awaitedLine)
    {
        session->StartHost(switches);
        ASSERT_TRUE(session->WaitForHostLog(awaitedLine, 60000)) << "no '" << awaitedLine << "' from the host";
    }

    void StartProgram()
    {
        session->StartProgram();
        main = session->WaitForMainWindow(60000);
        list = session->Control(main.handle, kList);
    }

    std::vector<ListRow> Rows() { return session->Rows(list.handle); }

    int CurrentRow()
    {
        for (const ListRow& row : Rows())
            if (row.flags & kCurrentFlag)
                return row.index;
        return -1;
    }

    // Polls until row is current; the row current at the end.
    int WaitForCurrent(int row, int timeoutMs = 3000)
    {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        int current = CurrentRow();
        while (current != row && std::chrono::steady_clock::now() < deadline) {
            Pause(100);
            current = CurrentRow();
        }
        return current;
    }

    Point Lamp(int row) { return Rows().at(static_cast<size_t>(row)).icon.Center(); }
    Point Label(int row)
    {
        ListRow at = Rows().at(static_cast<size_t>(row));
        return {at.icon.right + 16, at.bounds.Center().y};
    }

    void ClickSave() { session->Click(session->Control(main.handle, kSaveButton).window.Center()); }

    // Right-clicks the window's face; the popup menu's window.
    std::optional<WindowInfo> OpenMenu()
    {
        Rect face = session->DialogUnitsToPixels(main.handle, {86, 31, 87, 32});
        std::optional<WindowInfo> menu;
        // A menu that has just closed may still take a click while its loop ends: click again.
        for (int click = 0; click < 3 && !menu; ++click) {
            session->Click({main.client.left + face.left, main.client.top + face.top}, 3);
            menu = session->WaitForWindow("", "#32768", 10000);
        }
        return menu;
    }

    // Picks a popup menu item by its access key, and an item of its
    // sub-menu by subKey when given.
    void ChooseFromMenu(const std::string& key, const std::string& subKey = "")
    {
        std::optional<WindowInfo> menu = OpenMenu();
        ASSERT_TRUE(menu) << "no popup menu";
        session->Key(key);
        if (!subKey.empty())
            session->Key(subKey);
        ASSERT_TRUE(session->WaitForWindowGone(menu->handle, 60000));
    }

    // The popup menu's state of the item with this id (MF_GRAYED and so on), read
    // while it is open; the menu is then closed. -1 when there is no such item.
    int MenuItemState(int id)
    {
        std::optional<WindowInfo> menu = OpenMenu();
        EXPECT_TRUE(menu) << "no popup menu";
        if (!menu)
            return -1;
        int state = -1;
        for (const MenuItem& item : session->PopupMenu(menu->handle))
            state = item.id == id ? static_cast<int>(item.state) : state;
        session->Key("Escape");
        EXPECT_TRUE(session->WaitForWindowGone(menu->handle, 60000));
        return state;
    }

    // Opens the popup menu with a key ("Menu" is the Apps key, "shift+F10"),
    // then picks an item with keys alone; shown is where the menu opened.
    void ChooseFromMenuByKeys(const std::string& opener, const std::vector<std::string>& keys, Rect& shown)
    {
        session->Key(opener);
        auto menu = session->WaitForWindow("", "#32768", 10000);
        ASSERT_TRUE(menu) << "no popup menu for " << opener;
        shown = menu->window;
        for (const std::string& key : keys)
            session->Key(key);
        ASSERT_TRUE(session->WaitForWindowGone(menu->handle, 60000));
    }

    // The tip the list shows with the pointer over row's name; the last one seen when it is not expected.
    std::string TipOver(int row, const std::string& expected)
    {
        session->MouseMove(Label(row));
        std::string seen;
        for (int wait = 0; wait < 50 && seen != expected; ++wait) {
            auto tip = session->WaitForWindow("", "tooltips_class32", 0);
            seen = tip ? tip->text : "";
            Pause(100);
        }
        return seen;
    }

    // Tabs from the list to the "Cancel" button.
    void FocusCancel()
    {
        session->Click(Label(0));  // keys go to the active window
        for (int tab = 0; tab < 4 && session->Focus(main.handle).id != kCancelButton; ++tab)
            session->Key("Tab");
        ASSERT_EQ(session->Focus(main.handle).id, kCancelButton);
    }

    // The message box now shown: asserts its text, answers with button.
    void Answer(const std::string& message, const std::string& button)
    {
        auto box = session->WaitForDialog(kCaption, 30000);
        ASSERT_TRUE(box) << "no message box for: " << message;
        EXPECT_EQ(box->Message(), message);
        EXPECT_EQ(box->icon, "exclamation");
        session->Click(box->Button(button).window.Center());
        ASSERT_TRUE(session->WaitForWindowGone(box->window.handle));
    }

    // How many lines of the host's log after its first 'from' lines equal line.
    int HostLogCount(const std::string& line, size_t from = 0)
    {
        std::vector<std::string> log = session->HostLog();
        return static_cast<int>(std::count(log.begin() + static_cast<long>(std::min(from, log.size())), log.end(), line));
    }

    // Polls until count lines after the first 'from' equal line; false at the timeout.
    bool WaitForHostLogCount(const std::string& line, int count, size_t from, int timeoutMs = 60000)
    {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (HostLogCount(line, from) < count) {
            if (std::chrono::steady_clock::now() >= deadline)
                return false;
            Pause(200);
        }
        return true;
    }

    SessionOptions options;  // what Install starts the session with
    std::unique_ptr<DesktopSession> session;
    WindowInfo main;
    WindowInfo list;
};

}
