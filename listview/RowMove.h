#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>
#include "catalogue/VisPlugin.h"

// One step of a row move, as the list view performs it: insert a copy of row
// from at insertAt, copy the sub-item texts from eraseAt to insertAt, then
// delete row eraseAt (the original, which the insertion may have pushed down).
struct RowMoveStep {
    int from;
    int insertAt;
    int eraseAt;
};

// A drop above or below the target row lands there; rows 0 to 3 refuse it
// except below row 3.
bool IsDropAllowed(int target, bool below);

// The selected rows that a drag or a key moves: those of the plug-ins.
std::vector<int> MovableRows(const std::vector<int>& selectedAscending);

// The selected rows that may be removed: plug-in rows other than the current one.
std::vector<int> RemovableRows(const std::vector<int>& selectedAscending, int currentRow);

// Where row is once rows went in at inserted (their new indices, ascending).
int RowAfterInsertion(int row, const std::vector<int>& inserted);

// Where row is once the removed rows are gone; kNoVisual for a removed row and stays kNoVisual.
int RowAfterRemoval(int row, const std::vector<int>& removed);

// The steps that move the dragged rows (ascending) as one block, in their
// order, above or below the drop row; a drop row outside the rows appends.
// Dragged indices outside the rows are skipped.
std::vector<RowMoveStep> PlanRowMove(std::vector<int> dragged, int dropRow, bool dropBelow, int rowCount);

// The row order after the move: element k is the old index of new row k.
std::vector<int> RowOrderAfterMove(int rowCount, const std::vector<int>& dragged, int dropRow, bool dropBelow);

// The new indices of the given old rows after a move with that order.
std::vector<int> NewIndicesOf(const std::vector<int>& order, const std::vector<int>& oldRows);

// A move done as one sort of the list: each row's index after the move,
// found by the row's key (what tells the rows apart: its record's address)
// in constant time, as a sort asks for it many times.
class RowRanks {
public:
    // keys[i] belongs to row i; order is RowOrderAfterMove's. Empty when two
    // rows share a key, as rows without a record do.
    RowRanks(const std::vector<std::uintptr_t>& keys, const std::vector<int>& order);
    bool Empty() const { return m_slots.empty(); }
    // The index after the move of the row with that key; -1 for an unknown key.
    int RankOf(std::uintptr_t key) const;

private:
    struct Slot {
        std::uintptr_t key;
        int rank;  // -1: free
    };
    size_t SlotOf(std::uintptr_t key) const;

    std::vector<Slot> m_slots;
    size_t m_mask = 0;
};

// The drop that Ctrl+Up or Ctrl+Down makes of the moved rows (ascending): above
// the row before the first, or below the row after the last. False when the
// block cannot move that way.
bool KeyboardDrop(const std::vector<int>& moved, int rowCount, bool up, int& target, bool& below);
