#include <gtest/gtest.h>
#include <windows.h>
#include <memory>
#include <string>
#include <vector>
#include "listview/RowMove.h"
#include "tests/listview/ListFixture.h"

namespace {
using Rows = std::vector<int>;
}

TEST(CReorderListCtrlDrag, DropsGiveTheOrdersOfThePureMove)
{
    struct Case {
        Rows dragged;
        int target;
        bool below;
    };
    const Case cases[] = {
        {{5, 7}, 8, true}, {{7, 8}, 4, false}, {{5, 6, 7}, 6, false}, {{6}, 6, true},
        {{6}, 6, false},   {{4, 9}, 6, false}, {{5}, 9, true},        {{6, 7}, 3, true},
    };
    for (const Case& c : cases) {
        ListFixture fixture(10);
        fixture.Drag(c.dragged, fixture.RowPoint(c.target, c.below));
        EXPECT_EQ(fixture.Order(), RowOrderAfterMove(10, c.dragged, c.target, c.below)) << c.target;
        // The block stays selected wherever it landed.
        EXPECT_EQ(fixture.Selected(), NewIndicesOf(RowOrderAfterMove(10, c.dragged, c.target, c.below), c.dragged));
        EXPECT_EQ(::GetCapture(), nullptr);
    }
}

// With a record in every row the move is one sort of the list view; rows
// without one are moved row by row instead. Either way texts, records,
// selection and focus travel with their rows.
TEST(CReorderListCtrlDrag, SortedAndStepwiseMovesCarryTextsRecordsAndStates)
{
    const Rows dragged{5, 7, 10};
    const Rows order = RowOrderAfterMove(12, dragged, 8, true);
    for (bool everyRecord : {true, false}) {
        ListFixture fixture(12);
        std::unique_ptr<VisPlugin> detached[2];
        if (!everyRecord) {
            LVITEMA item{};
            item.mask = LVIF_PARAM;
            for (item.iItem = 1; item.iItem <= 2; ++item.iItem) {
                detached[item.iItem - 1].reset(fixture.Plugin(item.iItem));
                fixture.list.SetItem(&item);
            }
        }
        fixture.Drag(dragged, fixture.RowPoint(8, true));
        for (int row = 0; row < 12; ++row) {
            int was = order[static_cast<size_t>(row)];
            EXPECT_EQ(fixture.list.GetItemText(row, 0), "Row " + std::to_string(was)) << everyRecord;
            if (fixture.Plugin(row)) {
                EXPECT_EQ(fixture.Plugin(row)->loadIndex, was) << everyRecord;
            }
        }
        EXPECT_EQ(fixture.Selected(), NewIndicesOf(order, dragged)) << everyRecord;
        EXPECT_EQ(fixture.list.GetNextItem(-1, LVNI_FOCUSED), NewIndicesOf(order, {5}).front()) << everyRecord;
        EXPECT_TRUE(fixture.RecordsFollowTheRows()) << everyRecord;
        // A sort the list is not told the outcome of: its records are read again.
        auto backwards = [](LPARAM first, LPARAM second, LPARAM) -> int { return first < second ? 1 : -1; };
        fixture.list.SendMessage(LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(+backwards));
        EXPECT_TRUE(fixture.RecordsFollowTheRows()) << everyRecord;
    }
}

TEST(CReorderListCtrlDrag, RowsFiveAndSevenBelowRowEightAndSevenEightAboveFour)
{
    {
        ListFixture fixture(10);
        fixture.Drag({5, 7}, fixture.RowPoint(8, true));
        EXPECT_EQ(fixture.Order(), (Rows{0, 1, 2, 3, 4, 6, 8, 5, 7, 9}));
        EXPECT_EQ(fixture.Selected(), (Rows{7, 8}));
        EXPECT_TRUE(::IsWindowVisible(fixture.list));
        EXPECT_FALSE(::GetUpdateRect(fixture.list, nullptr, FALSE)) << "the move is on screen at once";
    }
    ListFixture fixture(10);
    fixture.Drag({7, 8}, fixture.RowPoint(4, false));
    EXPECT_EQ(fixture.Order(), (Rows{0, 1, 2, 3, 7, 8, 4, 5, 6, 9}));
    EXPECT_EQ(fixture.Selected(), (Rows{4, 5}));
}

TEST(CReorderListCtrlDrag, BuiltInRowsAreNeitherDraggedNorDroppedAbove)
{
    {
        ListFixture onlyBuiltIn(10);
        onlyBuiltIn.Select({1, 2});
        onlyBuiltIn.BeginDrag(onlyBuiltIn.RowPoint(1, false));
        EXPECT_EQ(::GetCapture(), nullptr) << "a selection of rows 0 to 3 starts no drag";
    }
    {
        ListFixture mixed(10);
        mixed.Drag({2, 3, 4, 5, 6}, mixed.RowPoint(8, true));
        EXPECT_EQ(mixed.Order(), (Rows{0, 1, 2, 3, 7, 8, 4, 5, 6, 9}));
        EXPECT_EQ(mixed.Selected(), (Rows{2, 3, 6, 7, 8}));
    }

    for (int target = 0; target < 3; ++target) {
        for (bool below : {false, true}) {
            ListFixture fixture(10);
            fixture.Drag({6}, fixture.RowPoint(target, below));
            EXPECT_EQ(fixture.Order(), RowOrderAfterMove(10, {}, 0, false)) << target;
            EXPECT_EQ(fixture.Selected(), (Rows{6})) << "the refused target is not left selected";
        }
    }
}

TEST(CReorderListCtrlDrag, RowThreeRefusesItsUpperHalfAndTakesItsLowerHalf)
{
    ListFixture fixture(10);
    HCURSOR no = ::LoadCursor(nullptr, IDC_NO);
    HCURSOR cross = ::LoadCursor(nullptr, IDC_CROSS);
    fixture.Select({7});
    fixture.BeginDrag(fixture.RowPoint(7, false));
    fixture.MouseMove(fixture.RowPoint(3, false));
    EXPECT_EQ(::GetCursor(), no);
    fixture.MouseMove(fixture.RowPoint(3, true));
    EXPECT_EQ(::GetCursor(), cross);
    fixture.MouseMove(fixture.RowPoint(3, false));
    fixture.Release(fixture.RowPoint(3, false));
    EXPECT_EQ(fixture.Order(), (Rows{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));

    fixture.Drag({7}, fixture.RowPoint(3, true));
    EXPECT_EQ(fixture.Order(), (Rows{0, 1, 2, 3, 7, 4, 5, 6, 8, 9}));
}

TEST(CReorderListCtrlDrag, EmptyAreaBelowTheRowsRefusesAndKeepsTheHighlight)
{
    ListFixture fixture(8, 240);
    RECT last = fixture.RowBounds(7);
    POINT empty{kListWidth / 2, last.bottom + 20};
    fixture.Select({5});
    fixture.BeginDrag(fixture.RowPoint(5, false));
    fixture.MouseMove(fixture.RowPoint(7, false));
    fixture.MouseMove(empty);
    EXPECT_EQ(fixture.Selected(), (Rows{5, 7})) << "the last target still shows the highlight";
    fixture.Release(empty);
    EXPECT_EQ(fixture.Order(), (Rows{0, 1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(fixture.Selected(), (Rows{5}));

    // Appending takes the lower half of the last row.
    fixture.Drag({5}, fixture.RowPoint(7, true));
    EXPECT_EQ(fixture.Order(), (Rows{0, 1, 2, 3, 4, 6, 7, 5}));
}

TEST(CReorderListCtrlDrag, AReleaseBeforeAnyMoveDropsNowhere)
{
    ListFixture fixture(10);
    fixture.Drag({5}, fixture.RowPoint(8, true));
    ASSERT_EQ(fixture.Order(), (Rows{0, 1, 2, 3, 4, 6, 7, 8, 5, 9}));
    // The previous drag's target was allowed; this drag never had one.
    fixture.Select({4});
    fixture.BeginDrag(fixture.RowPoint(4, false));
    fixture.Release(fixture.RowPoint(4, false));
    EXPECT_EQ(fixture.Order(), (Rows{0, 1, 2, 3, 4, 6, 7, 8, 5, 9}));
}

TEST(CReorderListCtrlDrag, AReleaseOutsideTheListDropsAtTheLastAllowedTarget)
{
    ListFixture fixture(10);
    fixture.Select({4});
    fixture.BeginDrag(fixture.RowPoint(4, false));
    fixture.MouseMove(fixture.RowPoint(6, true));
    POINT outside{kListWidth + 10, fixture.RowPoint(6, true).y};
    fixture.MouseMove(outside);
    fixture.Release(outside);
    EXPECT_EQ(fixture.Order(), (Rows{0, 1, 2, 3, 5, 6, 4, 7, 8, 9}));
}

TEST(CReorderListCtrlDrag, LosingTheMouseEndsTheDragWithoutADrop)
{
    ListFixture fixture(10);
    fixture.Select({5});
    fixture.BeginDrag(fixture.RowPoint(5, false));
    fixture.MouseMove(fixture.RowPoint(8, true));
    ASSERT_EQ(::GetCapture(), fixture.list.m_hWnd);
    ::SetCapture(fixture.parent);
    ::ReleaseCapture();
    fixture.Release(fixture.RowPoint(8, true));
    EXPECT_EQ(fixture.Order(), (Rows{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(fixture.Selected(), (Rows{5}));
}

TEST(CReorderListCtrlDrag, AutoScrollMovesTheTargetOneRowPerTick)
{
    ListFixture fixture(40, 120);
    // Selecting scrolls the focused row into view; the view is set after it.
    fixture.Select({30});
    fixture.list.EnsureVisible(39, FALSE);
    fixture.list.EnsureVisible(20, FALSE);
    int top = fixture.TopIndex();
    ASSERT_GE(top, 12);
    fixture.BeginDrag(fixture.RowPoint(top + 1, false));
    fixture.MouseMove(fixture.RowPoint(top + 1, false));
    POINT above{kListWidth / 2, -10};
    fixture.MouseMove(above);
    for (int tick = 0; tick < 3; ++tick)
        fixture.list.SendMessage(WM_TIMER, 1);
    EXPECT_EQ(fixture.TopIndex(), top - 3);
    fixture.Release(above);
    // The target walked from row top + 1 to row top - 2; the drop goes above it.
    EXPECT_EQ(fixture.Order(), RowOrderAfterMove(40, {30}, top - 2, false));

    // Upwards, the target is refused from row 3 on.
    fixture.Select({30});
    fixture.BeginDrag(fixture.RowPoint(fixture.TopIndex(), false));
    fixture.MouseMove(fixture.RowPoint(fixture.TopIndex(), false));
    std::vector<int> before = fixture.Order();
    fixture.MouseMove(above);
    for (int tick = 0; tick < 40; ++tick)
        fixture.list.SendMessage(WM_TIMER, 1);
    EXPECT_EQ(fixture.TopIndex(), 0);
    fixture.Release(above);
    EXPECT_EQ(fixture.Order(), before);
}

TEST(CReorderListCtrlDrag, AutoScrollDownwardsDropsBelowAndAppendsPastTheLastRow)
{
    ListFixture fixture(40, 120);
    int bottom = static_cast<int>(fixture.list.SendMessage(LVM_GETCOUNTPERPAGE)) - 1;
    fixture.Select({5});
    fixture.BeginDrag(fixture.RowPoint(5, false));
    fixture.MouseMove(fixture.RowPoint(bottom, false));
    POINT below{kListWidth / 2, 200};
    fixture.MouseMove(below);
    for (int tick = 0; tick < 2; ++tick)
        fixture.list.SendMessage(WM_TIMER, 1);
    EXPECT_EQ(fixture.TopIndex(), 2);
    fixture.Release(below);
    EXPECT_EQ(fixture.Order(), RowOrderAfterMove(40, {5}, bottom + 2, true));

    fixture.Select({4});
    fixture.BeginDrag(fixture.RowPoint(4, false));
    fixture.MouseMove(fixture.RowPoint(4, true));
    fixture.MouseMove(below);
    for (int tick = 0; tick < 60; ++tick)
        fixture.list.SendMessage(WM_TIMER, 1);
    fixture.Release(below);
    EXPECT_EQ(fixture.Order().back(), 4) << "the target stops at the last row and the drop goes below it";
}

TEST(CReorderListCtrlDrag, TheCurrentRowIsFollowedEvenWhenItIsNotDrawn)
{
    ListFixture fixture(40, 120);
    fixture.list.SetCurrent(6);
    fixture.Select({6});
    // Hide the current row from view, then drag it far away.
    fixture.list.EnsureVisible(39, FALSE);
    fixture.BeginDrag(fixture.RowPoint(36, false));
    fixture.MouseMove(fixture.RowPoint(36, true));
    fixture.Release(fixture.RowPoint(36, true));
    EXPECT_EQ(fixture.Order()[36], 6);
    EXPECT_EQ(fixture.list.m_nCurrent, 36);
    EXPECT_TRUE(fixture.Plugin(36)->flags & VIS_CURRENT);

    // Rows dragged from above the current row shift it up.
    fixture.Select({4, 5});
    fixture.list.EnsureVisible(39, FALSE);
    fixture.BeginDrag(fixture.RowPoint(39, false));
    fixture.MouseMove(fixture.RowPoint(39, true));
    fixture.Release(fixture.RowPoint(39, true));
    EXPECT_EQ(fixture.list.m_nCurrent, 34);
    ASSERT_NE(fixture.Plugin(34), nullptr);
    EXPECT_EQ(fixture.Plugin(34)->loadIndex, 6);
}

TEST(CReorderListCtrlDrag, ASingleSelectionListGetsItsStyleBackAfterTheDrag)
{
    ListFixture fixture(10, 200, LVS_SINGLESEL);
    fixture.Drag({5}, fixture.RowPoint(8, true));
    EXPECT_EQ(fixture.Order(), (Rows{0, 1, 2, 3, 4, 6, 7, 8, 5, 9}));
    EXPECT_EQ(fixture.Selected(), (Rows{8}));
    EXPECT_TRUE(fixture.list.GetStyle() & LVS_SINGLESEL);
}

TEST(CReorderListCtrlDrag, DragsOfRowsOutOfSightStart)
{
    {
        // Without a bound, the block of every fourth row of 2,000 would be a
        // bitmap 34,000 pixels high.
        ListFixture fixture(2000, 120);
        Rows dragged;
        for (int row = 4; row < 2000; row += 4)
            dragged.push_back(row);
        fixture.Select(dragged);
        fixture.list.EnsureVisible(0, FALSE);
        fixture.BeginDrag(fixture.RowPoint(4, false));
        EXPECT_EQ(::GetCapture(), fixture.list.m_hWnd);
        fixture.Release(fixture.RowPoint(4, false));
    }
    // None of the dragged rows in sight: the drag starts on a selected built-in row.
    ListFixture fixture(40, 120);
    fixture.Select({2, 30});
    fixture.list.EnsureVisible(0, FALSE);
    fixture.BeginDrag(fixture.RowPoint(2, false));
    fixture.MouseMove(fixture.RowPoint(5, false));
    fixture.Release(fixture.RowPoint(5, false));
    EXPECT_EQ(fixture.Order(), RowOrderAfterMove(40, {30}, 5, false));
}
