#include "listview/RowMove.h"
#include <algorithm>
#include <numeric>

bool IsDropAllowed(int target, bool below)
{
    return target >= kFirstPluginRow || (target == kFirstPluginRow - 1 && below);
}

std::vector<int> MovableRows(const std::vector<int>& selectedAscending)
{
    std::vector<int> movable;
    for (int row : selectedAscending) {
        if (row >= kFirstPluginRow)
            movable.push_back(row);
    }
    return movable;
}

std::vector<int> RemovableRows(const std::vector<int>& selectedAscending, int currentRow)
{
    std::vector<int> removable;
    for (int row : MovableRows(selectedAscending)) {
        if (row != currentRow)
            removable.push_back(row);
    }
    return removable;
}

int RowAfterInsertion(int row, const std::vector<int>& inserted)
{
    if (row == kNoVisual)
        return kNoVisual;
    for (int at : inserted)
        row += at <= row ? 1 : 0;
    return row;
}

int RowAfterRemoval(int row, const std::vector<int>& removed)
{
    if (row == kNoVisual)
        return kNoVisual;
    int before = 0;
    for (int gone : removed) {
        if (gone == row)
            return kNoVisual;
        before += gone < row ? 1 : 0;
    }
    return row - before;
}

std::vector<RowMoveStep> PlanRowMove(std::vector<int> dragged, int dropRow, bool dropBelow, int rowCount)
{
    int drop = dropBelow ? dropRow + 1 : dropRow;
    if (drop < 0 || drop > rowCount - 1)
        drop = rowCount;
    std::vector<RowMoveStep> steps;
    for (size_t k = 0; k < dragged.size(); ++k) {
        int from = dragged[k];
        if (from < 0 || from >= rowCount)
            continue;
        // The copy goes in first; an original at or below the drop row moves down by one.
        int erase = from >= drop ? from + 1 : from;
        steps.push_back({from, drop, erase});
        // Rows between the original and the drop row have shifted towards the gap.
        for (size_t rest = k; rest < dragged.size(); ++rest) {
            int& v = dragged[rest];
            if (erase < v && v < drop)
                --v;
            else if (drop < v && v < erase)
                ++v;
        }
        // A row taken from below the drop row leaves the rows above unchanged,
        // so the next copy goes below this one.
        if (erase > drop)
            ++drop;
    }
    return steps;
}

std::vector<int> RowOrderAfterMove(int rowCount, const std::vector<int>& dragged, int dropRow, bool dropBelow)
{
    std::vector<int> order(static_cast<size_t>(std::max(rowCount, 0)));
    std::iota(order.begin(), order.end(), 0);
    for (const RowMoveStep& step : PlanRowMove(dragged, dropRow, dropBelow, rowCount)) {
        int moving = order[static_cast<size_t>(step.from)];
        order.insert(order.begin() + step.insertAt, moving);
        order.erase(order.begin() + step.eraseAt);
    }
    return order;
}

std::vector<int> NewIndicesOf(const std::vector<int>& order, const std::vector<int>& oldRows)
{
    std::vector<int> newIndex(order.size(), -1);
    for (size_t row = 0; row < order.size(); ++row)
        newIndex[static_cast<size_t>(order[row])] = static_cast<int>(row);
    std::vector<int> result;
    for (int old : oldRows) {
        bool inside = old >= 0 && static_cast<size_t>(old) < order.size();
        result.push_back(inside ? newIndex[static_cast<size_t>(old)] : -1);
    }
    return result;
}

RowRanks::RowRanks(const std::vector<std::uintptr_t>& keys, const std::vector<int>& order)
{
    if (keys.empty() || keys.size() != order.size())
        return;
    size_t size = 1;
    while (size < 2 * keys.size())
        size <<= 1;
    m_slots.assign(size, Slot{0, -1});
    m_mask = size - 1;
    for (size_t row = 0; row < order.size(); ++row) {
        std::uintptr_t key = keys[static_cast<size_t>(order[row])];
        Slot& slot = m_slots[SlotOf(key)];
        if (slot.rank >= 0) {
            m_slots.clear();
            return;
        }
        slot = {key, static_cast<int>(row)};
    }
}

int RowRanks::RankOf(std::uintptr_t key) const
{
    return Empty() ? -1 : m_slots[SlotOf(key)].rank;
}

// The key's slot, or the free slot where it would go.
size_t RowRanks::SlotOf(std::uintptr_t key) const
{
    // Records lie at least eight bytes apart; the multiplication spreads them over the table.
    size_t at = static_cast<size_t>((key >> 3) * 2654435761u) & m_mask;
    while (m_slots[at].rank >= 0 && m_slots[at].key != key)
        at = (at + 1) & m_mask;
    return at;
}

bool KeyboardDrop(const std::vector<int>& moved, int rowCount, bool up, int& target, bool& below)
{
    if (moved.empty())
        return false;
    target = up ? moved.front() - 1 : moved.back() + 1;
    below = !up;
    return target < rowCount && IsDropAllowed(target, below);
}
