#include <gtest/gtest.h>
#include <windows.h>
#include <cstdlib>
#include <new>
#include <utility>
#include <vector>
#include "listview/COffscreenDC.h"
#include "tests/GdiObjectCount.h"
#include "tests/listview/ListFixture.h"

namespace {
using Rows = std::vector<int>;

// Records whose deletion the global operator delete below reports.
const void* g_watched[64];
int g_freed = 0;

void Watch(const void* record)
{
    for (const void*& slot : g_watched) {
        if (!slot) {
            slot = record;
            return;
        }
    }
}

const COLORREF kYellow = RGB(255, 255, 0);

int CountPixels(HWND wnd, const RECT& area, COLORREF color)
{
    HDC dc = ::GetDC(wnd);
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            count += ::GetPixel(dc, x, y) == color;
    ::ReleaseDC(wnd, dc);
    return count;
}

// The parent's y for a client y of the list (its client edge is 2 pixels).
int ParentY(int listY)
{
    return kListY + ::GetSystemMetrics(SM_CYEDGE) + listY;
}

// Client rows of the list whose right end does not show the parent's pixel
// of that height: the skin moved, or something was painted over it.
int SmearedLines(const ListFixture& fixture)
{
    RECT client = fixture.list.GetClientRect();
    int x = client.right - 3;
    int smeared = 0;
    for (int y = 0; y < client.bottom; ++y)
        smeared += ListPixel(fixture.list, x, y) != SkinColor(ParentY(y));
    return smeared;
}

void Repaint(const ListFixture& fixture)
{
    ::InvalidateRect(fixture.list, nullptr, FALSE);
    ::UpdateWindow(fixture.list);
}

LRESULT CustomDraw(const ListFixture& fixture, DWORD stage, int row, HDC dc, NMLVCUSTOMDRAW* draw)
{
    *draw = NMLVCUSTOMDRAW{};
    draw->nmcd.hdr.hwndFrom = fixture.list;
    draw->nmcd.hdr.idFrom = kListId;
    draw->nmcd.hdr.code = NM_CUSTOMDRAW;
    draw->nmcd.dwDrawStage = stage;
    draw->nmcd.hdc = dc;
    draw->nmcd.dwItemSpec = static_cast<DWORD_PTR>(row);
    draw->clrText = kTextColor;
    return ::SendMessageA(fixture.parent, WM_NOTIFY, kListId, reinterpret_cast<LPARAM>(draw));
}

LOGFONTA SelectedFont(HDC dc)
{
    LOGFONTA font{};
    ::GetObjectA(::GetCurrentObject(dc, OBJ_FONT), sizeof font, &font);
    return font;
}

// Holds Ctrl down for this thread while it lives.
class ControlKey {
public:
    ControlKey() { Set(0x80); }
    ~ControlKey() { Set(0); }

private:
    static void Set(BYTE state)
    {
        BYTE keys[256];
        ::GetKeyboardState(keys);
        keys[VK_CONTROL] = state;
        keys[VK_LCONTROL] = state;
        ::SetKeyboardState(keys);
    }
};

void Key(const ListFixture& fixture, UINT key)
{
    fixture.list.SendMessage(WM_KEYDOWN, key, 1);
    fixture.list.SendMessage(WM_KEYUP, key, 0xC0000001);
}

int Image(const ListFixture& fixture, int row)
{
    LVITEMA item{};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    fixture.list.GetItem(&item);
    return item.iImage;
}

}

namespace {
void FreeBlock(void* block)
{
    for (const void*& slot : g_watched) {
        if (block && slot == block) {
            slot = nullptr;
            ++g_freed;
        }
    }
    std::free(block);
}
}

void operator delete(void* block) noexcept
{
    FreeBlock(block);
}

void operator delete(void* block, std::size_t) noexcept
{
    FreeBlock(block);
}

void* operator new(std::size_t size)
{
    if (void* block = std::malloc(size ? size : 1))
        return block;
    throw std::bad_alloc();
}

TEST(CReorderListCtrl, DestroyingTheWindowFreesEveryRecord)
{
    g_freed = 0;
    ListFixture fixture(6);
    for (int row = 0; row < 6; ++row)
        Watch(fixture.Plugin(row));
    // A row without a record is skipped.
    fixture.list.SetItem([] {
        static LVITEMA empty{};
        empty.mask = LVIF_PARAM;
        empty.iItem = 2;
        return &empty;
    }());
    ::DestroyWindow(fixture.list);
    EXPECT_EQ(g_freed, 5);
}

TEST(CReorderListCtrl, CurrentMarkMovesBetweenRows)
{
    ListFixture fixture(10);
    EXPECT_EQ(fixture.list.m_nCurrent, kNoVisual);
    EXPECT_EQ(fixture.list.SetCurrent(5), kNoVisual);
    EXPECT_EQ(fixture.list.GetItemFlags(5), static_cast<DWORD>(VIS_ENABLED | VIS_CURRENT));
    EXPECT_EQ(fixture.list.SetCurrent(7), 5);
    EXPECT_EQ(fixture.list.GetItemFlags(5), static_cast<DWORD>(VIS_ENABLED));
    EXPECT_EQ(fixture.list.GetItemFlags(7), static_cast<DWORD>(VIS_ENABLED | VIS_CURRENT));
    EXPECT_EQ(fixture.list.m_nCurrent, 7);

    EXPECT_EQ(fixture.list.SetCurrentByName("row 2"), 7) << "labels match whatever their case";
    EXPECT_EQ(fixture.list.m_nCurrent, 2);
    EXPECT_EQ(fixture.list.SetCurrentByName("Row"), -1) << "only whole labels match";
    EXPECT_EQ(fixture.list.SetCurrentByName("Nothing"), -1);
    EXPECT_EQ(fixture.list.m_nCurrent, 2);
}

TEST(CReorderListCtrl, MarkingARowOutOfSightScrollsItInWithTheSkinInPlace)
{
    ListFixture fixture(40, 120);
    fixture.list.SetCurrent(30);
    EXPECT_GT(fixture.TopIndex(), 20);
    ::UpdateWindow(fixture.list);
    EXPECT_EQ(SmearedLines(fixture), 0);
}

TEST(CReorderListCtrl, HostKnowledgeAndFlagsComeFromTheRecord)
{
    ListFixture fixture(8);
    fixture.Plugin(5)->flags = VIS_DISABLED_ON_DISK;
    fixture.Plugin(6)->flags = VIS_ENABLED | VIS_DISABLED_ON_DISK;
    fixture.Plugin(7)->flags = VIS_ENABLED | VIS_ADDED;
    EXPECT_TRUE(fixture.list.IsKnownToHost(4));
    EXPECT_FALSE(fixture.list.IsKnownToHost(5));
    EXPECT_FALSE(fixture.list.IsKnownToHost(6));
    EXPECT_FALSE(fixture.list.IsKnownToHost(7)) << "added since the host loaded the visuals";
    EXPECT_FALSE(fixture.list.IsKnownToHost(8));
    EXPECT_EQ(fixture.list.GetItemFlags(6), static_cast<DWORD>(VIS_ENABLED | VIS_DISABLED_ON_DISK));
    EXPECT_EQ(fixture.list.GetItemFlags(-1), 0u);
    EXPECT_EQ(fixture.list.GetItemFlags(8), 0u);
}

TEST(CReorderListCtrl, RemovedAndInsertedRowsSpareBuiltInsAndTheCurrentRowWhoseMarkFollowsIt)
{
    ListFixture fixture(10);
    fixture.list.SetCurrent(7);
    fixture.Select({2, 5, 7, 8});
    std::vector<int> removable = fixture.list.RemovableRows();
    EXPECT_EQ(removable, (std::vector<int>{5, 8}));
    fixture.list.RemoveRows(removable);
    EXPECT_EQ(fixture.Order(), (std::vector<int>{0, 1, 2, 3, 4, 6, 7, 9}));
    EXPECT_EQ(fixture.list.m_nCurrent, 6);
    EXPECT_NE(fixture.list.GetItemFlags(6) & VIS_CURRENT, 0u);
    EXPECT_TRUE(fixture.RecordsFollowTheRows());

    // Rows inserted above the current one, as adding plug-ins does.
    for (int row : {4, 5}) {
        LVITEMA item{};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = row;
        item.pszText = const_cast<char*>("Added");
        item.lParam = reinterpret_cast<LPARAM>(new VisPlugin);
        ASSERT_EQ(fixture.list.InsertItem(&item), row);
    }
    fixture.list.ShowInsertedRows({4, 5});
    EXPECT_TRUE(fixture.RecordsFollowTheRows());
    EXPECT_EQ(fixture.list.m_nCurrent, 8);
    EXPECT_NE(fixture.list.GetItemFlags(8) & VIS_CURRENT, 0u);
    EXPECT_EQ(fixture.Selected(), (std::vector<int>{4, 5}));
    EXPECT_EQ(fixture.list.GetNextItem(-1, LVNI_FOCUSED), 4);
}

TEST(CReorderListCtrl, CustomDrawPicksColourAndFontByState)
{
    ListFixture fixture(10);
    fixture.Plugin(6)->flags = VIS_ENABLED | VIS_DISABLED_ON_DISK;
    fixture.Plugin(7)->flags = VIS_ENABLED | VIS_DISABLED_ON_DISK | VIS_CURRENT;
    fixture.Plugin(8)->flags = VIS_ENABLED | VIS_CURRENT;
    fixture.Select({5});
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ listFont = ::SelectObject(dc, ::GetStockObject(DEFAULT_GUI_FONT));
    NMLVCUSTOMDRAW draw;

    EXPECT_EQ(CustomDraw(fixture, CDDS_PREPAINT, 0, dc, &draw), CDRF_NOTIFYITEMDRAW);

    // Selected: yellow, and unselected while the list view draws it.
    EXPECT_EQ(CustomDraw(fixture, CDDS_ITEMPREPAINT, 5, dc, &draw), CDRF_NOTIFYPOSTPAINT);
    EXPECT_EQ(draw.clrText, 0x0000FFFFu);
    EXPECT_EQ(fixture.list.GetItemState(5, LVIS_SELECTED), 0u);
    EXPECT_EQ(CustomDraw(fixture, CDDS_ITEMPOSTPAINT, 5, dc, &draw), CDRF_DODEFAULT);
    EXPECT_EQ(fixture.list.GetItemState(5, LVIS_SELECTED), static_cast<UINT>(LVIS_SELECTED));

    // Plain: the list's colour and font.
    EXPECT_EQ(CustomDraw(fixture, CDDS_ITEMPREPAINT, 4, dc, &draw), CDRF_NOTIFYPOSTPAINT);
    EXPECT_EQ(draw.clrText, kTextColor);
    EXPECT_EQ(::GetCurrentObject(dc, OBJ_FONT), ::GetStockObject(DEFAULT_GUI_FONT));
    CustomDraw(fixture, CDDS_ITEMPOSTPAINT, 4, dc, &draw);
    EXPECT_EQ(fixture.list.GetItemState(4, LVIS_SELECTED), 0u);

    // Switched on after being disabled on disk: struck out.
    EXPECT_EQ(CustomDraw(fixture, CDDS_ITEMPREPAINT, 6, dc, &draw), CDRF_NOTIFYPOSTPAINT | CDRF_NEWFONT);
    EXPECT_TRUE(SelectedFont(dc).lfStrikeOut);

    // Current: bold, and the mark follows the row it is drawn on.
    EXPECT_EQ(CustomDraw(fixture, CDDS_ITEMPREPAINT, 8, dc, &draw), CDRF_NOTIFYPOSTPAINT | CDRF_NEWFONT);
    EXPECT_EQ(SelectedFont(dc).lfWeight, FW_BOLD);
    EXPECT_FALSE(SelectedFont(dc).lfStrikeOut);
    EXPECT_EQ(fixture.list.m_nCurrent, 8);

    // Current and struck out: struck out.
    EXPECT_EQ(CustomDraw(fixture, CDDS_ITEMPREPAINT, 7, dc, &draw), CDRF_NOTIFYPOSTPAINT | CDRF_NEWFONT);
    EXPECT_TRUE(SelectedFont(dc).lfStrikeOut);
    EXPECT_NE(SelectedFont(dc).lfWeight, FW_BOLD);
    EXPECT_EQ(fixture.list.m_nCurrent, 7);

    EXPECT_EQ(CustomDraw(fixture, CDDS_POSTPAINT, 0, dc, &draw), CDRF_DODEFAULT);
    ::SelectObject(dc, listFont);
    ::DeleteDC(dc);
}

TEST(CReorderListCtrl, PaintShowsTheSkinThroughTheRowsAndSelectionInYellow)
{
    ListFixture fixture(10);
    fixture.Select({5});
    ::SetFocus(fixture.list);
    Repaint(fixture);
    RECT row5 = fixture.RowBounds(5);
    RECT row4 = fixture.RowBounds(4);
    EXPECT_GT(CountPixels(fixture.list, row5, kYellow), 0);
    EXPECT_EQ(CountPixels(fixture.list, row5, ::GetSysColor(COLOR_HIGHLIGHT)), 0) << "no selection bar";
    EXPECT_EQ(CountPixels(fixture.list, row4, kYellow), 0);
    EXPECT_GT(CountPixels(fixture.list, row4, kTextColor), 0);
    EXPECT_EQ(SmearedLines(fixture), 0);
    EXPECT_EQ(fixture.Selected(), (Rows{5}));
    // Drawing a selected row must not ask for another paint.
    EXPECT_FALSE(::GetUpdateRect(fixture.list, nullptr, FALSE));
}

// Each pointer move paints its target at once, before the drag image shows again.
TEST(CReorderListCtrl, DragTargetsShowTheirHighlightAtOnceOverTheSkin)
{
    ListFixture fixture(10);
    fixture.Select({7});
    Repaint(fixture);
    fixture.BeginDrag(fixture.RowPoint(7, false));
    for (int target : {3, 5}) {
        fixture.MouseMove(fixture.RowPoint(target, true));
        EXPECT_FALSE(::GetUpdateRect(fixture.list, nullptr, FALSE)) << target;
        // The screen under the image is what the list painted.
        ::ImageList_DragShowNolock(FALSE);
        EXPECT_GT(CountPixels(fixture.list, fixture.RowBounds(target), kYellow), 0) << target;
        EXPECT_EQ(SmearedLines(fixture), 0) << target;
        ::ImageList_DragShowNolock(TRUE);
    }
    ::ImageList_DragShowNolock(FALSE);
    EXPECT_EQ(CountPixels(fixture.list, fixture.RowBounds(3), kYellow), 0) << "the earlier target went back";
    ::ImageList_DragShowNolock(TRUE);
    fixture.Release(fixture.RowPoint(5, true));
}

TEST(CReorderListCtrl, ScrollingByBarWheelOrKeysKeepsTheSkinInPlace)
{
    ListFixture fixture(40, 120);
    fixture.Select({4});
    Repaint(fixture);
    ASSERT_EQ(SmearedLines(fixture), 0);

    fixture.list.SendMessage(WM_VSCROLL, SB_LINEDOWN);
    ::UpdateWindow(fixture.list);
    EXPECT_EQ(SmearedLines(fixture), 0) << "scroll bar";

    fixture.list.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), MAKELPARAM(kListX + 40, kListY + 40));
    ::UpdateWindow(fixture.list);
    EXPECT_GT(fixture.TopIndex(), 1);
    EXPECT_EQ(SmearedLines(fixture), 0) << "wheel";

    int top = fixture.TopIndex();
    fixture.list.SendMessage(WM_KEYDOWN, VK_NEXT, 1);
    fixture.list.SendMessage(WM_KEYDOWN, VK_NEXT, 1);
    ::UpdateWindow(fixture.list);
    EXPECT_GT(fixture.TopIndex(), top);
    EXPECT_EQ(SmearedLines(fixture), 0) << "page down";
}

TEST(CReorderListCtrl, ScrollBarFaceShowsTheSkin)
{
    ListFixture fixture(40, 120);
    Repaint(fixture);
    ASSERT_TRUE(fixture.list.GetStyle() & WS_VSCROLL);
    RECT window = fixture.list.GetWindowRect();
    int edge = ::GetSystemMetrics(SM_CXEDGE);
    int width = ::GetSystemMetrics(SM_CXVSCROLL);
    int right = window.right - window.left - edge;
    // Between the arrow buttons, whose corners a visual style may shade.
    int arrow = ::GetSystemMetrics(SM_CYVSCROLL);
    RECT bar{right - width, edge + arrow, right, window.bottom - window.top - edge - arrow};
    HDC dc = ::GetWindowDC(fixture.list);
    int face = 0;
    int skin = 0;
    for (int y = bar.top; y < bar.bottom; ++y) {
        for (int x = bar.left; x < bar.right; ++x) {
            COLORREF pixel = ::GetPixel(dc, x, y);
            face += pixel == ::GetSysColor(COLOR_BTNFACE);
            skin += pixel == SkinColor(kListY + y);
        }
    }
    ::ReleaseDC(fixture.list, dc);
    EXPECT_EQ(face, 0);
    EXPECT_GT(skin, (bar.bottom - bar.top) * width / 2);
}

TEST(CReorderListCtrl, CtrlArrowsMoveTheSelectedPlugInsLikeADrop)
{
    ListFixture fixture(10);
    fixture.Select({2, 6, 7});
    {
        ControlKey control;
        Key(fixture, VK_UP);
        EXPECT_EQ(fixture.Order(), (Rows{0, 1, 2, 3, 4, 6, 7, 5, 8, 9}));
        EXPECT_EQ(fixture.Selected(), (Rows{2, 5, 6}));
        Key(fixture, VK_UP);
        EXPECT_EQ(fixture.Order(), (Rows{0, 1, 2, 3, 6, 7, 4, 5, 8, 9}));
        Key(fixture, VK_UP);
        EXPECT_EQ(fixture.Order(), (Rows{0, 1, 2, 3, 6, 7, 4, 5, 8, 9})) << "never above row 4";
        for (int press = 0; press < 6; ++press)
            Key(fixture, VK_DOWN);
        EXPECT_EQ(fixture.Order(), (Rows{0, 1, 2, 3, 4, 5, 8, 9, 6, 7}));
        EXPECT_EQ(fixture.Selected(), (Rows{2, 8, 9}));
    }
    // Without Ctrl the arrows only move the focus.
    Key(fixture, VK_UP);
    EXPECT_EQ(fixture.Order(), (Rows{0, 1, 2, 3, 4, 5, 8, 9, 6, 7}));
}

TEST(CReorderListCtrl, CtrlArrowsKeepTheCurrentMarkAndFollowTheBlock)
{
    ListFixture fixture(40, 120);
    fixture.list.SetCurrent(10);
    fixture.Select({10});
    ControlKey control;
    for (int press = 0; press < 25; ++press)
        Key(fixture, VK_DOWN);
    EXPECT_EQ(fixture.Order()[35], 10);
    EXPECT_EQ(fixture.list.m_nCurrent, 35);
    RECT client = fixture.list.GetClientRect();
    RECT row = fixture.RowBounds(35);
    EXPECT_TRUE(row.top >= 0 && row.bottom <= client.bottom) << "the moved row stays in view";
    ::UpdateWindow(fixture.list);
    EXPECT_EQ(SmearedLines(fixture), 0);
}

TEST(CReorderListCtrl, SpaceSwitchesTheLampOfTheFocusedPlugIn)
{
    ListFixture fixture(10);
    fixture.list.SetCurrent(7);
    fixture.Select({5});
    Key(fixture, VK_SPACE);
    EXPECT_EQ(Image(fixture, 5), IMG_DISABLED);
    EXPECT_EQ(fixture.list.GetItemFlags(5), 0u);
    Key(fixture, VK_SPACE);
    EXPECT_EQ(Image(fixture, 5), IMG_ENABLED);
    EXPECT_EQ(fixture.list.GetItemFlags(5), static_cast<DWORD>(VIS_ENABLED));

    for (int row : {2, 7}) {
        int image = Image(fixture, row);
        DWORD flags = fixture.list.GetItemFlags(row);
        fixture.Select({row});
        Key(fixture, VK_SPACE);
        EXPECT_EQ(Image(fixture, row), image) << row;
        EXPECT_EQ(fixture.list.GetItemFlags(row), flags) << row;
    }
}

namespace {
// A point of the list's client area on the screen, as x and y.
std::pair<LONG, LONG> OnScreen(const ListFixture& fixture, LONG x, LONG y)
{
    POINT point{x, y};
    ::ClientToScreen(fixture.list, &point);
    return {point.x, point.y};
}

std::pair<LONG, LONG> KeyboardMenuAt(const ListFixture& fixture)
{
    POINT point = fixture.list.KeyboardMenuPoint();
    return {point.x, point.y};
}
}

TEST(CReorderListCtrl, AKeyboardMenuOpensUnderTheSelectedRowAndWithinTheList)
{
    ListFixture fixture(40, 120);
    fixture.Select({});
    EXPECT_EQ(KeyboardMenuAt(fixture), OnScreen(fixture, 0, 0)) << "no row: the top-left corner";

    fixture.Select({4, 2});  // the focus on row 4
    RECT row = fixture.RowBounds(4);
    EXPECT_EQ(KeyboardMenuAt(fixture), OnScreen(fixture, row.left, row.bottom));
    fixture.list.SetItemState(3, LVIS_FOCUSED, LVIS_FOCUSED);
    row = fixture.RowBounds(2);
    EXPECT_EQ(KeyboardMenuAt(fixture), OnScreen(fixture, row.left, row.bottom))
        << "the focus off the selection: the first selected row";
    fixture.list.SetItemState(-1, 0, LVIS_SELECTED);
    row = fixture.RowBounds(3);
    EXPECT_EQ(KeyboardMenuAt(fixture), OnScreen(fixture, row.left, row.bottom)) << "none selected: the focused row";

    fixture.Select({30});
    fixture.list.EnsureVisible(0, FALSE);
    RECT client = fixture.list.GetClientRect();
    EXPECT_EQ(KeyboardMenuAt(fixture), OnScreen(fixture, 0, client.bottom)) << "a row below sight";
}

TEST(CReorderListCtrl, PaintsAndDragsGiveBackEveryGdiObject)
{
    ASSERT_TRUE(GdiCounterCounts());
    ListFixture fixture(40, 120);
    fixture.list.SetCurrent(6);
    auto round = [&fixture] {
        Repaint(fixture);
        fixture.list.SendMessage(WM_VSCROLL, SB_LINEDOWN);
        ::UpdateWindow(fixture.list);
        fixture.Select({5, 6});
        fixture.BeginDrag(fixture.RowPoint(fixture.TopIndex(), false));
        for (int row = 0; row < 4; ++row)
            fixture.MouseMove(fixture.RowPoint(fixture.TopIndex() + row, true));
        fixture.Release(fixture.RowPoint(fixture.TopIndex() + 3, true));
    };
    // The first round creates what stays: the row fonts, the captured skin.
    round();
    DWORD before = GdiObjectCount();
    for (int count = 0; count < 3; ++count)
        round();
    fixture.list.SetCurrent(9);
    EXPECT_EQ(GdiObjectCount(), before);
}

TEST(COffscreenDC, GathersAWindowsPaintAndPutsItOnScreenAtTheEnd)
{
    ListFixture fixture(4);
    HDC screen = ::GetDC(fixture.list);
    COLORREF was = ::GetPixel(screen, 100, 50);
    {
        COffscreenDC offscreen(screen);
        ASSERT_TRUE(offscreen.IsOffscreen());
        RECT patch{90, 40, 110, 60};
        ::SetBkColor(offscreen, RGB(1, 2, 3));
        ::ExtTextOutA(offscreen, 0, 0, ETO_OPAQUE, &patch, nullptr, 0, nullptr);
        EXPECT_EQ(::GetPixel(screen, 100, 50), was);
    }
    EXPECT_EQ(::GetPixel(screen, 100, 50), RGB(1, 2, 3));
    ::ReleaseDC(fixture.list, screen);
}

TEST(COffscreenDC, DrawsStraightIntoATargetWithoutAWindow)
{
    HDC memory = ::CreateCompatibleDC(nullptr);
    {
        COffscreenDC direct(memory);
        EXPECT_FALSE(direct.IsOffscreen());
        EXPECT_EQ(direct.m_hDC, memory);
    }
    EXPECT_EQ(::GetObjectType(memory), static_cast<DWORD>(OBJ_MEMDC)) << "the borrowed DC lives on";
    ::DeleteDC(memory);
}
