#include <gtest/gtest.h>
#include <cstdint>
#include <string_view>
#include <vector>
#include "listview/RowMove.h"
#include "listview/RowSort.h"

namespace {
using Rows = std::vector<int>;
}

TEST(RowMove, GathersTheDraggedRowsAsOneBlockAtTheDrop)
{
    // Rows 5 and 7 onto the lower half of row 8 of ten.
    EXPECT_EQ(RowOrderAfterMove(10, {5, 7}, 8, true), (Rows{0, 1, 2, 3, 4, 6, 8, 5, 7, 9}));
    // Rows 7 and 8 onto the upper half of row 4.
    EXPECT_EQ(RowOrderAfterMove(10, {7, 8}, 4, false), (Rows{0, 1, 2, 3, 7, 8, 4, 5, 6, 9}));
    // Rows on both sides of the drop row.
    EXPECT_EQ(RowOrderAfterMove(10, {4, 9}, 6, false), (Rows{0, 1, 2, 3, 5, 4, 9, 6, 7, 8}));
    EXPECT_EQ(RowOrderAfterMove(10, {4, 5, 8}, 6, true), (Rows{0, 1, 2, 3, 6, 4, 5, 8, 7, 9}));
}

TEST(RowMove, DropsInsideOrOnTheDraggedBlockChangeNothing)
{
    const Rows unchanged{0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    EXPECT_EQ(RowOrderAfterMove(10, {5, 6, 7}, 6, false), unchanged);
    EXPECT_EQ(RowOrderAfterMove(10, {5, 6, 7}, 6, true), unchanged);
    EXPECT_EQ(RowOrderAfterMove(10, {5, 6, 7}, 5, false), unchanged);
    EXPECT_EQ(RowOrderAfterMove(10, {5, 6, 7}, 7, true), unchanged);
    for (bool below : {false, true}) {
        EXPECT_EQ(RowOrderAfterMove(10, {6}, 6, below), unchanged);
        EXPECT_EQ(RowOrderAfterMove(10, {9}, 9, below), unchanged);
    }
}

TEST(RowMove, DropsBelowTheLastRowOrOutsideTheRowsAppend)
{
    const Rows appended{0, 1, 2, 3, 4, 6, 7, 8, 9, 5};
    EXPECT_EQ(RowOrderAfterMove(10, {5}, 9, true), appended);
    EXPECT_EQ(RowOrderAfterMove(10, {5}, 10, false), appended);
    EXPECT_EQ(RowOrderAfterMove(10, {5}, -1, false), appended);
    EXPECT_EQ(RowOrderAfterMove(10, {4, 6}, 9, true), (Rows{0, 1, 2, 3, 5, 7, 8, 9, 4, 6}));
    // Above the last row is not the end.
    EXPECT_EQ(RowOrderAfterMove(10, {5}, 9, false), (Rows{0, 1, 2, 3, 4, 6, 7, 8, 5, 9}));
}

TEST(RowMove, SkipsDraggedIndicesOutsideTheRows)
{
    EXPECT_EQ(RowOrderAfterMove(6, {-1, 5, 6, 40}, 4, false), (Rows{0, 1, 2, 3, 5, 4}));
    EXPECT_TRUE(PlanRowMove({7, 9}, 4, false, 6).empty());
}

TEST(RowMove, PlanStepsSayWhereTheListViewInsertsAndDeletes)
{
    // The steps the list view performs for rows 7 and 8 onto the upper half of row 4.
    std::vector<RowMoveStep> steps = PlanRowMove({7, 8}, 4, false, 10);
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_EQ(steps[0].from, 7);
    EXPECT_EQ(steps[0].insertAt, 4);
    EXPECT_EQ(steps[0].eraseAt, 8);
    EXPECT_EQ(steps[1].from, 8);
    EXPECT_EQ(steps[1].insertAt, 5);
    EXPECT_EQ(steps[1].eraseAt, 9);
}

TEST(RowMove, NewIndicesFollowTheMovedRows)
{
    Rows order = RowOrderAfterMove(10, {5, 7}, 8, true);
    EXPECT_EQ(NewIndicesOf(order, {5, 7, 8, 9, 2}), (Rows{7, 8, 6, 9, 2}));
    EXPECT_EQ(NewIndicesOf(order, {-1, 10}), (Rows{-1, -1}));
}

TEST(RowMove, RanksGiveEveryRowItsPlaceAfterTheMoveByItsKey)
{
    // Records eight bytes apart, as close as the allocator puts them.
    const int rows = 2000;
    std::vector<std::uintptr_t> keys;
    Rows dragged;
    for (int row = 0; row < rows; ++row) {
        keys.push_back(0x10000 + 8 * static_cast<std::uintptr_t>(row));
        if (row >= 4 && row % 4 == 0)
            dragged.push_back(row);
    }
    Rows order = RowOrderAfterMove(rows, dragged, 10, true);
    RowRanks ranks(keys, order);
    ASSERT_FALSE(ranks.Empty());
    for (int row = 0; row < rows; ++row)
        ASSERT_EQ(order[static_cast<size_t>(ranks.RankOf(keys[static_cast<size_t>(row)]))], row);
    EXPECT_EQ(ranks.RankOf(0x8), -1);

    // Rows that share a key (rows without a record) cannot be sorted apart.
    keys[7] = keys[1];
    EXPECT_TRUE(RowRanks(keys, order).Empty());
    EXPECT_TRUE(RowRanks({}, {}).Empty());
}

TEST(RowMove, NothingIsDroppedAboveTheFirstPlugInRow)
{
    for (int target = 0; target < 3; ++target) {
        EXPECT_FALSE(IsDropAllowed(target, false)) << target;
        EXPECT_FALSE(IsDropAllowed(target, true)) << target;
    }
    EXPECT_FALSE(IsDropAllowed(3, false));
    EXPECT_TRUE(IsDropAllowed(3, true));
    EXPECT_TRUE(IsDropAllowed(4, false));
    EXPECT_FALSE(IsDropAllowed(-1, true));
    // A drop below row 3 lands at row 4.
    EXPECT_EQ(RowOrderAfterMove(8, {6, 7}, 3, true), (Rows{0, 1, 2, 3, 6, 7, 4, 5}));
}

TEST(RowMove, BuiltInRowsNeverMove)
{
    EXPECT_EQ(MovableRows({2, 3, 4, 5, 6}), (Rows{4, 5, 6}));
    EXPECT_TRUE(MovableRows({0, 1, 2, 3}).empty());
}

TEST(RowRemoval, SparesTheBuiltInsAndTheCurrentRowAndTheCurrentMarkFollowsItsRow)
{
    EXPECT_EQ(RemovableRows({0, 3, 4, 6, 7}, 6), (Rows{4, 7}));
    EXPECT_EQ(RemovableRows({4, 5}, kNoVisual), (Rows{4, 5}));
    EXPECT_TRUE(RemovableRows({1, 5}, 5).empty());

    EXPECT_EQ(RowAfterRemoval(9, {4, 7, 12}), 7);
    EXPECT_EQ(RowAfterRemoval(2, {4, 7}), 2);
    EXPECT_EQ(RowAfterRemoval(7, {4, 7}), kNoVisual);
    EXPECT_EQ(RowAfterRemoval(kNoVisual, {4}), kNoVisual);
}

TEST(RowInsertion, TheCurrentMarkFollowsItsRowPastRowsInsertedAboveOrAtIt)
{
    EXPECT_EQ(RowAfterInsertion(6, {4, 5}), 8);
    EXPECT_EQ(RowAfterInsertion(6, {6, 7}), 8) << "inserted at the current row, it goes down";
    EXPECT_EQ(RowAfterInsertion(6, {5, 7, 9}), 8) << "a row inserted below it after the others";
    EXPECT_EQ(RowAfterInsertion(6, {7, 8}), 6);
    EXPECT_EQ(RowAfterInsertion(kNoVisual, {4}), kNoVisual);
}

TEST(RowMove, KeyboardMovesTheBlockOneRowLikeADrop)
{
    int target = 0;
    bool below = false;
    ASSERT_TRUE(KeyboardDrop({5, 6}, 10, true, target, below));
    EXPECT_EQ(RowOrderAfterMove(10, {5, 6}, target, below), (Rows{0, 1, 2, 3, 5, 6, 4, 7, 8, 9}));
    ASSERT_TRUE(KeyboardDrop({5, 6}, 10, false, target, below));
    EXPECT_EQ(RowOrderAfterMove(10, {5, 6}, target, below), (Rows{0, 1, 2, 3, 4, 7, 5, 6, 8, 9}));
    // A gap in the selection closes as it would in a drop.
    ASSERT_TRUE(KeyboardDrop({6, 8}, 10, true, target, below));
    EXPECT_EQ(RowOrderAfterMove(10, {6, 8}, target, below), (Rows{0, 1, 2, 3, 4, 6, 8, 5, 7, 9}));

    EXPECT_FALSE(KeyboardDrop({4, 5}, 10, true, target, below));
    EXPECT_FALSE(KeyboardDrop({8, 9}, 10, false, target, below));
    EXPECT_FALSE(KeyboardDrop({}, 10, true, target, below));
}

// Keys stand for the sort keys of "Waveform", "Spectrum", "Spectrum 2", "VU",
// "beta", "Alpha", "alpha", "Gamma 2", "Gamma 10", "ALPHA" ignoring case; a
// key's bytes above 0x7F weigh more than any below.
TEST(RowSort, SortsOnlyThePluginRowsByKeyAndKeepsEqualKeysInTheirOrder)
{
    std::vector<std::string_view> keys{"waveform", "spectrum", "spectrum 2", "vu", "beta",
                                       "alpha", "alpha", "gamma 2", "gamma 10", "alpha"};
    EXPECT_EQ(RowOrderByName(keys, 4, true), (Rows{0, 1, 2, 3, 5, 6, 9, 4, 8, 7}));
    EXPECT_EQ(RowOrderByName(keys, 4, false), (Rows{0, 1, 2, 3, 7, 8, 4, 5, 6, 9}));
    EXPECT_EQ(RowOrderByName({"b", "a"}, 4, true), (Rows{0, 1})) << "no plug-in rows";
    EXPECT_EQ(RowOrderByName({"w", "s", "t", "v", "\x90" "a", "b", ""}, 4, true), (Rows{0, 1, 2, 3, 6, 5, 4}));
}
