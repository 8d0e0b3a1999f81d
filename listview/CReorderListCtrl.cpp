#include "listview/CReorderListCtrl.h"
#include "catalogue/VisPlugin.h"

int CReorderListCtrl::SetCurrent(int row)
{
    int previous = m_nCurrent;
    m_nCurrent = row;
    if (previous != INT_MAX) {
        if (VisPlugin* plugin = GetPlugin(previous))
            plugin->flags &= ~VIS_CURRENT;
    }
    if (VisPlugin* plugin = GetPlugin(row))
        plugin->flags |= VIS_CURRENT;
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EnsureVisible(row, FALSE);
    return previous;
}

int CReorderListCtrl::SetCurrentByName(const std::string& name)
{
    LVFINDINFOA find{};
    find.flags = LVFI_STRING;
    find.psz = name.c_str();
    int row = FindItem(&find, -1);
    return row < 0 ? -1 : SetCurrent(row);
}

bool CReorderListCtrl::IsKnownToHost(int row) const
{
    return (GetItemFlags(row) & (VIS_ENABLED | VIS_DISABLED_ON_DISK)) == VIS_ENABLED;
}

DWORD CReorderListCtrl::GetItemFlags(int row) const
{
    const VisPlugin* plugin = GetPlugin(row);
    return plugin ? plugin->flags : 0;
}

VisPlugin* CReorderListCtrl::GetPlugin(int row) const
{
    if (row < 0 || row >= GetItemCount())
        return nullptr;
    return reinterpret_cast<VisPlugin*>(GetItemData(row));
}

void CReorderListCtrl::DeleteRecords()
{
    int count = GetItemCount();
    for (int row = 0; row < count; ++row) {
        delete GetPlugin(row);
        // The list view still reports its rows while it dies; none may point at a freed record.
        LVITEMA item{};
        item.mask = LVIF_PARAM;
        item.iItem = row;
        SetItem(&item);
    }
}

bool CReorderListCtrl::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (msg == WM_DESTROY) {
        DeleteRecords();
        result = Default();
        return true;
    }
    return CListCtrl::OnMessage(msg, wParam, lParam, result);
}
