#pragma once
#include <windows.h>
#include <commctrl.h>
#include <string>

// The tip a list shows over its rows. Each row is a tool of its own, so a
// new row brings a new tip; its text is asked of the list's owner with
// LVN_GETINFOTIP, as the list view's own info tips ask for it (Wine's list
// view keeps none).
class CRowTips {
public:
    CRowTips() = default;
    CRowTips(const CRowTips&) = delete;
    CRowTips& operator=(const CRowTips&) = delete;

    // The tip window, owned by list and destroyed with it.
    void Create(HWND list);
    // Every mouse message the list gets, before the list handles it.
    void OnMouseMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    // The tip asks for its text; false for notices that are not the tip's.
    bool OnNotify(const NMHDR* header);

private:
    void ShowRow(int row);

    HWND m_hList = nullptr;
    HWND m_hTip = nullptr;
    int m_nRow = -1;  // the row whose tool the tip has
    std::string m_strText;
};
