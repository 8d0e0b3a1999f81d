#pragma once
#include <windows.h>
#include <cstdint>
#include <vector>

// Every row's item data in row order, followed through the messages that
// change it, so that thousands of rows are sorted or arranged without asking
// the list view for them a message per row. A change it cannot follow (wide
// items, a sort whose outcome it is not told, one change inside another)
// makes it forget them until they are remembered again.
class CRowRecords {
public:
    // True for the messages that can change the records or their order.
    static bool Changes(UINT msg);
    // Around the list view's handling of such a message: no records are
    // known in between.
    void BeginChange() { ++m_changing; }
    void EndChange(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT result, bool handled);

    // The records as just read from the list, or as a sort left them.
    void Remember(std::vector<std::uintptr_t> records);
    // The records, when they are known and as many as the rows; null otherwise.
    const std::vector<std::uintptr_t>* Known(int rowCount) const;

private:
    void Follow(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT result);
    void Forget();

    std::vector<std::uintptr_t> m_records;
    bool m_known = false;
    int m_changing = 0;  // changes under way, one inside another
};
