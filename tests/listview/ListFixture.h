#pragma once
#include <windows.h>
#include <commctrl.h>
#include <string>
#include <vector>
#include "catalogue/VisPlugin.h"
#include "framework/CWnd.h"
#include "listview/CReorderListCtrl.h"

// Colour of the parent's pixel row y: horizontal stripes, so that a skin
// that moved with the rows shows.
inline COLORREF SkinColor(int y)
{
    return RGB(0x20, 0x40 + (y * 7) % 160, 0x60 + (y / 4) % 64);
}

// A borderless top-level window painted in stripes, as the skinned dialog
// would be; it reflects its children's notifications.
class StripedParent : public CWnd {
public:
    StripedParent(int width, int height)
    {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
        ::InitCommonControlsEx(&controls);
        WNDCLASSA wc{};
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "OrbiquelListTestParent";
        wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
        ::RegisterClassA(&wc);
        HWND wnd = ::CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "", WS_POPUP, 0, 0,
                                     width, height, nullptr, nullptr, wc.hInstance, nullptr);
        SubclassWindow(wnd);
        ::ShowWindow(wnd, SW_SHOW);
        ::UpdateWindow(wnd);
    }
    ~StripedParent() override
    {
        HWND wnd = m_hWnd;
        UnsubclassWindow();
        ::DestroyWindow(wnd);
    }

protected:
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        if (msg == WM_ERASEBKGND) {
            // One column of stripes, stretched across in a single call.
            RECT client = GetClientRect();
            std::vector<DWORD> column(static_cast<size_t>(client.bottom));
            for (int y = 0; y < client.bottom; ++y) {
                COLORREF color = SkinColor(y);
                column[static_cast<size_t>(y)] = GetRValue(color) << 16 | GetGValue(color) << 8 | GetBValue(color);
            }
            BITMAPINFO info{};
            info.bmiHeader.biSize = sizeof info.bmiHeader;
            info.bmiHeader.biWidth = 1;
            info.bmiHeader.biHeight = -client.bottom;
            info.bmiHeader.biPlanes = 1;
            info.bmiHeader.biBitCount = 32;
            ::StretchDIBits(reinterpret_cast<HDC>(wParam), 0, 0, client.right, client.bottom, 0, 0, 1,
                            client.bottom, column.data(), &info, DIB_RGB_COLORS, SRCCOPY);
            result = TRUE;
            return true;
        }
        return CWnd::OnMessage(msg, wParam, lParam, result);
    }
};

const int kListX = 20;
const int kListY = 30;
const int kListWidth = 220;
const UINT kListId = 1000;
const COLORREF kTextColor = 0x00FFE080;

// One parent for every list of the test run: without a window manager Wine
// spends seconds taking a top-level window down.
inline StripedParent& SharedParent()
{
    static StripedParent parent(kListX * 2 + kListWidth, 700);
    return parent;
}

// A reorderable list of named rows on the striped parent, skinned as the main
// window skins it. Rows 0 to 3 stand for the built-in visuals.
class ListFixture {
public:
    explicit ListFixture(int rows, int height = 200, DWORD extraStyle = 0) : parent(SharedParent())
    {
        // Created hidden and shown once skinned, as in a dialog: the first
        // paint captures the parent's own pixels.
        HWND wnd = ::CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
                                     WS_CHILD | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SHOWSELALWAYS |
                                         extraStyle,
                                     kListX, kListY, kListWidth, height, parent, reinterpret_cast<HMENU>(kListId),
                                     ::GetModuleHandleA(nullptr), nullptr);
        list.SubclassWindow(wnd);
        list.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        int effect = SKIN_COPY;
        short level = 30;
        COLORREF text = kTextColor;
        list.ApplySkin(&effect, &level, nullptr, &text, FALSE);
        list.SendMessage(LVM_SETBKCOLOR, 0, static_cast<LPARAM>(CLR_NONE));
        LVCOLUMNA column{};
        column.mask = LVCF_FMT;
        column.fmt = LVCFMT_CENTER;
        list.InsertColumn(0, &column);
        for (int row = 0; row < rows; ++row)
            AddRow("Row " + std::to_string(row), row < 4 ? IMG_BUILTIN : IMG_ENABLED, VIS_ENABLED);
        // As wide as the client area that the rows leave, so no horizontal bar appears.
        list.SetColumnWidth(0, LVSCW_AUTOSIZE_USEHEADER);
        ::UpdateWindow(parent);
        ::ShowWindow(list, SW_SHOW);
        ::UpdateWindow(list);
    }
    ~ListFixture()
    {
        if (list.m_hWnd)
            ::DestroyWindow(list.m_hWnd);
    }

    VisPlugin* AddRow(const std::string& label, int image, unsigned long flags)
    {
        auto* plugin = new VisPlugin;
        plugin->flags = flags;
        plugin->loadIndex = list.GetItemCount();
        LVITEMA item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
        item.iItem = list.GetItemCount();
        item.pszText = const_cast<char*>(label.c_str());
        item.iImage = image;
        item.lParam = reinterpret_cast<LPARAM>(plugin);
        list.InsertItem(&item);
        return plugin;
    }
    VisPlugin* Plugin(int row) const { return reinterpret_cast<VisPlugin*>(list.GetItemData(row)); }
    // The records the list has followed are the rows' own, row by row.
    bool RecordsFollowTheRows()
    {
        std::vector<const VisPlugin*> rows;
        for (int row = 0; row < list.GetItemCount(); ++row)
            rows.push_back(Plugin(row));
        return list.Records() == rows;
    }

    // Row numbers as the rows were added, in the present order.
    std::vector<int> Order() const
    {
        std::vector<int> order;
        for (int row = 0; row < list.GetItemCount(); ++row)
            order.push_back(Plugin(row)->loadIndex);
        return order;
    }
    std::vector<int> Selected() const
    {
        std::vector<int> rows;
        for (int row = 0; row < list.GetItemCount(); ++row) {
            if (list.GetItemState(row, LVIS_SELECTED))
                rows.push_back(row);
        }
        return rows;
    }
    void Select(const std::vector<int>& rows) const
    {
        list.SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        for (int row : rows)
            list.SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
        if (!rows.empty())
            list.SetItemState(rows.front(), LVIS_FOCUSED, LVIS_FOCUSED);
    }
    RECT RowBounds(int row) const
    {
        RECT bounds{};
        list.GetItemRect(row, &bounds, LVIR_BOUNDS);
        return bounds;
    }
    // A point of the row, in its upper or lower half, right of the text.
    POINT RowPoint(int row, bool lowerHalf) const
    {
        RECT bounds = RowBounds(row);
        return {kListWidth / 2, lowerHalf ? bounds.bottom - 2 : bounds.top + 1};
    }
    int TopIndex() const { return static_cast<int>(list.SendMessage(LVM_GETTOPINDEX)); }

    // What the list view reports to the parent when the user starts dragging.
    void BeginDrag(POINT at) const
    {
        NMLISTVIEW info{};
        info.hdr.hwndFrom = list.m_hWnd;
        info.hdr.idFrom = kListId;
        info.hdr.code = LVN_BEGINDRAG;
        info.iItem = list.HitTest(at);
        info.ptAction = at;
        ::SendMessageA(parent, WM_NOTIFY, kListId, reinterpret_cast<LPARAM>(&info));
    }
    void MouseMove(POINT at) const { list.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(at.x, at.y)); }
    void Release(POINT at) const { list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y)); }
    void Drag(const std::vector<int>& rows, POINT to) const
    {
        Select(rows);
        BeginDrag(RowPoint(rows.front(), false));
        MouseMove(to);
        Release(to);
    }

    StripedParent& parent;
    CReorderListCtrl list;
};

// The list's pixels as the screen shows them.
inline COLORREF ListPixel(HWND list, int x, int y)
{
    HDC dc = ::GetDC(list);
    COLORREF color = ::GetPixel(dc, x, y);
    ::ReleaseDC(list, dc);
    return color;
}
