#include "listview/CRowRecords.h"
#include <commctrl.h>

bool CRowRecords::Changes(UINT msg)
{
    switch (msg) {
    case LVM_INSERTITEMA:
    case LVM_INSERTITEMW:
    case LVM_DELETEITEM:
    case LVM_DELETEALLITEMS:
    case LVM_SETITEMA:
    case LVM_SETITEMW:
    case LVM_SORTITEMS:
    case LVM_SORTITEMSEX:
    case WM_DESTROY:
        return true;
    }
    return false;
}

void CRowRecords::EndChange(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT result, bool handled)
{
    if (m_changing > 1 || !handled)
        Forget();
    else
        Follow(msg, wParam, lParam, result);
    --m_changing;
}

void CRowRecords::Remember(std::vector<std::uintptr_t> records)
{
    if (m_changing)
        return;
    m_records = std::move(records);
    m_known = true;
}

const std::vector<std::uintptr_t>* CRowRecords::Known(int rowCount) const
{
    bool known = m_known && !m_changing && m_records.size() == static_cast<size_t>(rowCount);
    return known ? &m_records : nullptr;
}

void CRowRecords::Follow(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT result)
{
    const auto* item = reinterpret_cast<const LVITEMA*>(lParam);
    size_t count = m_records.size();
    switch (msg) {
    case LVM_INSERTITEMA:
        if (!item || static_cast<int>(result) < 0)
            return;
        if (!m_known || static_cast<size_t>(result) > count)
            return Forget();
        m_records.insert(m_records.begin() + static_cast<ptrdiff_t>(result),
                         (item->mask & LVIF_PARAM) ? static_cast<std::uintptr_t>(item->lParam) : 0);
        return;
    case LVM_DELETEITEM:
        if (!result)
            return;
        if (!m_known || wParam >= count)
            return Forget();
        m_records.erase(m_records.begin() + static_cast<ptrdiff_t>(wParam));
        return;
    case LVM_DELETEALLITEMS:
        if (!result)
            return Forget();
        m_records.clear();
        m_known = true;
        return;
    case LVM_SETITEMA:
        if (!item || !(item->mask & LVIF_PARAM))
            return;
        if (!result || !m_known || item->iSubItem != 0 || item->iItem < 0 || static_cast<size_t>(item->iItem) >= count)
            return Forget();
        m_records[static_cast<size_t>(item->iItem)] = static_cast<std::uintptr_t>(item->lParam);
        return;
    }
    Forget();
}

void CRowRecords::Forget()
{
    m_records.clear();
    m_known = false;
}
