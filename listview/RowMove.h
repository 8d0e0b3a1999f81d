#pragma once
#include <vector>

// Rows 0 to 3 are the host's built-in visuals: never dragged, never dropped above.
constexpr int kFirstPluginRow = 4;

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

// The steps that move the dragged rows (ascending) as one block, in their
// order, above or below the drop row; a drop row outside the rows appends.
// Dragged indices outside the rows are skipped.
std::vector<RowMoveStep> PlanRowMove(std::vector<int> dragged, int dropRow, bool dropBelow, int rowCount);

// The row order after the move: element k is the old index of new row k.
std::vector<int> RowOrderAfterMove(int rowCount, const std::vector<int>& dragged, int dropRow, bool dropBelow);

// The new indices of the given old rows after a move with that order.
std::vector<int> NewIndicesOf(const std::vector<int>& order, const std::vector<int>& oldRows);

// The drop that Ctrl+Up or Ctrl+Down makes of the moved rows (ascending): above
// the row before the first, or below the row after the last. False when the
// block cannot move that way.
bool KeyboardDrop(const std::vector<int>& moved, int rowCount, bool up, int& target, bool& below);
