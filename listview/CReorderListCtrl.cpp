#include "listview/CReorderListCtrl.h"
#include <windowsx.h>
#include <algorithm>
#include <string_view>
#include <utility>
#include "catalogue/VisPlugin.h"
#include "listview/CDragImageBuilder.h"
#include "listview/DragRules.h"
#include "listview/RowMove.h"
#include "listview/RowSort.h"
#include "listview/RowState.h"

namespace {
const UINT_PTR kScrollTimer = 1;
const UINT kScrollPeriod = 100;
const COLORREF kSelectedText = 0x0000FFFF;
// A plug-in that could not be asked for its name: amber against the skin's cold blues.
const COLORREF kNoNameText = 0x004098FF;
const UINT kMovedStates = LVIS_FOCUSED | LVIS_SELECTED | LVIS_DROPHILITED | LVIS_STATEIMAGEMASK;
// How far right of the list's left edge the pointer's row is looked up.
const int kProbeX = 8;
// Posted to the list itself: a double-click on row wParam, for the owner.
const UINT kDoubleClickMessage = WM_APP + 0x100;
}

int CReorderListCtrl::SetCurrent(int row)
{
    int previous = m_nCurrent;
    m_nCurrent = row;
    if (VisPlugin* plugin = GetPlugin(previous))
        plugin->flags &= ~static_cast<unsigned long>(VIS_CURRENT);
    if (VisPlugin* plugin = GetPlugin(row))
        plugin->flags |= VIS_CURRENT;
    NotifyRowChanged(previous, EVENT_OBJECT_DESCRIPTIONCHANGE);
    NotifyRowChanged(row, EVENT_OBJECT_DESCRIPTIONCHANGE);
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    ScrollIntoView(row);
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
    return (GetItemFlags(row) & (VIS_ENABLED | VIS_DISABLED_ON_DISK | VIS_ADDED)) == VIS_ENABLED;
}

DWORD CReorderListCtrl::GetItemFlags(int row) const
{
    const VisPlugin* plugin = GetPlugin(row);
    return plugin ? plugin->flags : 0;
}

bool CReorderListCtrl::ToggleLamp(int row)
{
    VisPlugin* plugin = GetPlugin(row);
    if (!plugin || !ToggleLampState(row, plugin->flags))
        return false;
    SendMessage(LVM_REDRAWITEMS, static_cast<WPARAM>(row), static_cast<LPARAM>(row));
    NotifyRowChanged(row, EVENT_OBJECT_STATECHANGE);
    return true;
}

VisPlugin* CReorderListCtrl::GetPlugin(int row) const
{
    if (row < 0 || row >= GetItemCount())
        return nullptr;
    return reinterpret_cast<VisPlugin*>(GetItemData(row));
}

POINT CReorderListCtrl::KeyboardMenuPoint() const
{
    int row = GetNextItem(-1, LVNI_FOCUSED | LVNI_SELECTED);
    if (row < 0)
        row = GetNextItem(-1, LVNI_SELECTED);
    if (row < 0)
        row = GetNextItem(-1, LVNI_FOCUSED);
    RECT client{}, bounds{};
    ::GetClientRect(m_hWnd, &client);
    POINT point{};
    if (row >= 0 && GetItemRect(row, &bounds, LVIR_BOUNDS)) {
        point.x = std::clamp(bounds.left, client.left, client.right);
        point.y = std::clamp(bounds.bottom, client.top, client.bottom);
    }
    ::ClientToScreen(m_hWnd, &point);
    return point;
}

std::vector<int> CReorderListCtrl::SelectedRows() const
{
    std::vector<int> rows;
    for (int row = GetNextItem(-1, LVNI_SELECTED); row >= 0; row = GetNextItem(row, LVNI_SELECTED))
        rows.push_back(row);
    return rows;
}

std::vector<int> CReorderListCtrl::RemovableRows() const
{
    return ::RemovableRows(SelectedRows(), m_nCurrent);
}

void CReorderListCtrl::RemoveRows(const std::vector<int>& rows)
{
    std::vector<int> descending(rows);
    std::sort(descending.rbegin(), descending.rend());
    for (int row : descending) {
        VisPlugin* record = GetPlugin(row);
        if (DeleteItem(row))
            delete record;
    }
    m_nCurrent = RowAfterRemoval(m_nCurrent, rows);
}

void CReorderListCtrl::ShowInsertedRows(const std::vector<int>& rows)
{
    m_nCurrent = RowAfterInsertion(m_nCurrent, rows);
    SetItemState(-1, 0, LVIS_SELECTED);
    for (int row : rows)
        SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
    if (rows.empty())
        return;
    SetItemState(rows.front(), LVIS_FOCUSED, LVIS_FOCUSED);
    ScrollIntoView(rows.front());
}

bool CReorderListCtrl::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (!CRowRecords::Changes(msg))
        return OnListMessage(msg, wParam, lParam, result);
    m_rowRecords.BeginChange();
    bool handled = OnListMessage(msg, wParam, lParam, result);
    m_rowRecords.EndChange(msg, wParam, lParam, result, handled);
    return handled;
}

// What the list view itself does with a message goes through the base, which blends the bars after it.
bool CReorderListCtrl::OnListMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST)
        m_rowTips.OnMouseMessage(msg, wParam, lParam);
    switch (msg) {
    case WM_NOTIFY:
        if (m_rowTips.OnNotify(reinterpret_cast<const NMHDR*>(lParam))) {
            result = 0;
            return true;
        }
        break;
    case WM_MOUSEMOVE:
        if (IsDragging())
            OnDragMove({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        else
            StopAutoScroll();
        break;
    case WM_LBUTTONUP: {
        bool dropped = IsDragging();
        if (dropped)
            OnDragRelease();
        m_bSwallowClick = dropped;
        CSkinListCtrl::OnMessage(msg, wParam, lParam, result);
        m_bSwallowClick = false;
        return true;
    }
    case WM_CAPTURECHANGED:
        // Another window took the mouse: the drag ends without a drop.
        if (IsDragging())
            EndDrag();
        break;
    case WM_TIMER:
        if (wParam == kScrollTimer && IsDragging()) {
            OnAutoScrollStep();
            result = 0;
            return true;
        }
        break;
    case WM_KEYDOWN:
        if (OnKeyDown(static_cast<UINT>(wParam))) {
            result = 0;
            return true;
        }
        break;
    case LVM_INSERTITEMA: {
        // A row's lamp is asked for as the row is drawn, from its record: a
        // set applied to thousands of rows then changes records alone.
        LVITEMA item = *reinterpret_cast<const LVITEMA*>(lParam);
        if ((item.mask & LVIF_PARAM) && item.lParam) {
            item.mask |= LVIF_IMAGE;
            item.iImage = I_IMAGECALLBACK;
        }
        result = Default(msg, wParam, reinterpret_cast<LPARAM>(&item));
        if (static_cast<int>(result) >= 0)
            MakeNameKey(item);
        return true;
    }
    case WM_GETOBJECT:
        if (static_cast<LONG>(lParam) != OBJID_CLIENT)
            break;
        result = CListAccessible::AnswerGetObject(*this, m_pAccessible, wParam);
        return result != 0;
    case kDoubleClickMessage:
        SendDoubleClick(static_cast<int>(wParam));
        result = 0;
        return true;
    case WM_SETFONT:
        // A new font, as on a move to a display of another scale: the bold
        // and struck-out ones are made again from it at the next paint.
        m_fontBold.DeleteObject();
        m_fontStrike.DeleteObject();
        break;
    case WM_DESTROY:
        if (IsDragging())
            EndDrag();
        CListAccessible::Disconnect(m_pAccessible);
        DeleteRecords();
        break;
    }
    return CSkinListCtrl::OnMessage(msg, wParam, lParam, result);
}

void CReorderListCtrl::DoubleClickLater(int row) const
{
    PostMessage(kDoubleClickMessage, static_cast<WPARAM>(row));
}

// On the row's text, not its lamp: as a double-click by the mouse that switches nothing.
void CReorderListCtrl::SendDoubleClick(int row)
{
    NMITEMACTIVATE click{};
    click.hdr.hwndFrom = m_hWnd;
    click.hdr.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(m_hWnd));
    click.hdr.code = NM_DBLCLK;
    click.iItem = row;
    RECT label{};
    if (GetItemRect(row, &label, LVIR_LABEL))
        click.ptAction = {label.left + (label.right - label.left) / 2, label.top + (label.bottom - label.top) / 2};
    ::SendMessageA(::GetParent(m_hWnd), WM_NOTIFY, click.hdr.idFrom, reinterpret_cast<LPARAM>(&click));
}

void CReorderListCtrl::NotifyRowChanged(int row, DWORD event) const
{
    if (row >= 0 && row < GetItemCount())
        ::NotifyWinEvent(event, m_hWnd, OBJID_CLIENT, row + 1);
}

void CReorderListCtrl::PreSubclassWindow()
{
    CSkinListCtrl::PreSubclassWindow();
    m_rowTips.Create(m_hWnd);
    m_rowRecords.Remember(ReadRecords());
}

bool CReorderListCtrl::OnNotifyReflect(NMHDR* header, LRESULT& result)
{
    switch (header->code) {
    case LVN_BEGINDRAG:
        OnBeginDrag(reinterpret_cast<const NMLISTVIEW*>(header));
        result = 0;
        return true;
    case NM_CUSTOMDRAW:
        result = OnCustomDraw(reinterpret_cast<NMLVCUSTOMDRAW*>(header));
        return true;
    case LVN_GETDISPINFOA: {
        // Answered from the record the notification carries: a message sent
        // to the list in the middle of its paint would have the skin blend
        // the scroll bars before the list view has drawn them.
        LVITEMA& item = reinterpret_cast<NMLVDISPINFOA*>(header)->item;
        const auto* plugin = reinterpret_cast<const VisPlugin*>(item.lParam);
        if (item.mask & LVIF_IMAGE)
            item.iImage = LampImage(item.iItem, plugin ? plugin->flags : 0);
        result = 0;
        return true;
    }
    case NM_CLICK:
        // Some list views report the release of a drag as a click; it is no click on a lamp.
        if (m_bSwallowClick) {
            result = 0;
            return true;
        }
        break;
    }
    return CSkinListCtrl::OnNotifyReflect(header, result);
}

void CReorderListCtrl::OnBeginDrag(const NMLISTVIEW* info)
{
    m_nHighlight = -1;
    m_nHighlightState = 0;
    m_dragItems = MovableRows(SelectedRows());
    if (m_dragItems.empty())
        return;
    // A single-selection list would lose the dragged row's selection to the drop highlight.
    m_bRestoreSingleSel = ModifyStyle(LVS_SINGLESEL, 0) != FALSE;
    POINT hotSpot{};
    CDragImageBuilder builder(*this, m_textColor, [this](int row) { return RowFontHandle(GetItemFlags(row)); });
    m_pDragImage = builder.Create(m_dragItems, info->iItem, hotSpot);
    if (!m_pDragImage) {
        if (m_bRestoreSingleSel)
            ModifyStyle(0, LVS_SINGLESEL);
        return;
    }
    // A release before the pointer has moved drops nowhere.
    m_bDropAllowed = false;
    ::ImageList_BeginDrag(*m_pDragImage, 0, hotSpot.x, hotSpot.y);
    POINT screen = info->ptAction;
    ::ClientToScreen(m_hWnd, &screen);
    ::ImageList_DragEnter(::GetDesktopWindow(), screen.x, screen.y);
    ::SetCapture(m_hWnd);
}

void CReorderListCtrl::OnDragMove(POINT point)
{
    POINT screen = point;
    ::ClientToScreen(m_hWnd, &screen);
    RECT window = GetWindowRect();
    bool overList = ::WindowFromPoint({window.left + kProbeX, screen.y}) == m_hWnd;
    // Only the pointer's height counts: the row at that height is the target.
    int target = overList ? HitTest({kProbeX, point.y}) : -1;
    // The image is hidden while the list changes under it, and only then:
    // every hiding and showing draws it anew.
    bool listChanges = target >= 0 && target != m_nHighlight;
    if (listChanges)
        ::ImageList_DragShowNolock(FALSE);
    ::ImageList_DragMove(screen.x, screen.y);
    if (overList)
        TrackDropTarget(point, target);
    UpdateAutoScroll(point.y);
    if (listChanges)
        ::ImageList_DragShowNolock(TRUE);
}

void CReorderListCtrl::TrackDropTarget(POINT point, int target)
{
    RECT bounds{};
    if (target < 0 || !GetItemRect(target, &bounds, LVIR_BOUNDS)) {
        m_bDropAllowed = false;
    } else {
        SetDropHighlight(target);
        m_bDropBelow = IsDropBelow(bounds.top, bounds.bottom, point.y);
        m_bDropAllowed = IsDropAllowed(target, m_bDropBelow);
    }
    ::SetCursor(m_bDropAllowed ? m_hDropCursor : m_hNoDropCursor);
}

void CReorderListCtrl::OnDragRelease()
{
    EndDrag();
    if (m_bDropAllowed)
        MoveRows(m_dragItems, m_nDropIndex, m_bDropBelow);
}

void CReorderListCtrl::EndDrag()
{
    // No longer dragging from here on, so the capture change below ends nothing.
    std::unique_ptr<CImageList> image = std::move(m_pDragImage);
    StopAutoScroll();
    ::ReleaseCapture();
    ::ImageList_DragLeave(::GetDesktopWindow());
    ::ImageList_EndDrag();
    // A refused drop must not leave its target looking (and being) selected.
    RemoveDropHighlight();
    if (std::exchange(m_bRestoreSingleSel, false))
        ModifyStyle(0, LVS_SINGLESEL);
}

void CReorderListCtrl::SetDropHighlight(int row)
{
    if (row < 0 || row >= GetItemCount())
        return;
    m_nDropIndex = row;
    if (row == m_nHighlight)
        return;
    RemoveDropHighlight();
    m_nHighlight = row;
    m_nHighlightState = GetItemState(row, LVIS_SELECTED);
    SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
    UpdateRows();
}

void CReorderListCtrl::RemoveDropHighlight()
{
    if (m_nHighlight >= 0 && m_nHighlight < GetItemCount())
        SetItemState(m_nHighlight, m_nHighlightState, LVIS_SELECTED);
    m_nHighlight = -1;
}

// A pointer above the rows (over the header too) or below them scrolls the list.
void CReorderListCtrl::UpdateAutoScroll(int pointerY)
{
    RECT rows = GetClientRect();
    HWND header = GetHeaderCtrl();
    if (header && ::IsWindowVisible(header)) {
        RECT headerRect{};
        ::GetClientRect(header, &headerRect);
        rows.top += headerRect.bottom;
    }
    int direction = AutoScrollDirection(rows.top, rows.bottom, pointerY);
    if (direction == SCROLL_NONE)
        StopAutoScroll();
    else
        StartAutoScroll(direction);
}

void CReorderListCtrl::StartAutoScroll(int direction)
{
    if (!m_nScrollTimer)
        m_nScrollTimer = ::SetTimer(m_hWnd, kScrollTimer, kScrollPeriod, nullptr);
    m_nScrollDir = direction;
}

void CReorderListCtrl::StopAutoScroll()
{
    if (m_nScrollTimer)
        ::KillTimer(m_hWnd, kScrollTimer);
    m_nScrollTimer = 0;
    m_nScrollDir = SCROLL_NONE;
}

void CReorderListCtrl::OnAutoScrollStep()
{
    bool up = m_nScrollDir == SCROLL_UP;
    int target = up ? m_nDropIndex - 1 : m_nDropIndex + 1;
    m_bDropBelow = !up;
    ::ImageList_DragShowNolock(FALSE);
    SendMessage(WM_VSCROLL, up ? SB_LINEUP : SB_LINEDOWN);
    SetDropHighlight(target);
    m_bDropAllowed = IsDropAllowed(target, m_bDropBelow);
    ::ImageList_DragShowNolock(TRUE);
}

// Moves the rows (ascending) as one block, in their order, above or below
// dropRow, using the list view's own rows; the records move with them.
// Returns the rows' new indices.
std::vector<int> CReorderListCtrl::MoveRows(const std::vector<int>& rows, int dropRow, bool dropBelow)
{
    int count = GetItemCount();
    std::vector<int> order = RowOrderAfterMove(count, rows, dropRow, dropBelow);
    if (!SortRows(order))
        MoveRowsOneByOne(rows, dropRow, dropBelow, count);
    FollowReorder(order);
    return NewIndicesOf(order, rows);
}

// Save reads m_nCurrent, and the current row may have moved out of sight.
void CReorderListCtrl::FollowReorder(const std::vector<int>& order)
{
    if (m_nCurrent >= 0 && m_nCurrent < static_cast<int>(order.size()))
        m_nCurrent = NewIndicesOf(order, {m_nCurrent}).front();
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

// The names' sort keys were made as the rows went in: a sort then costs less
// than a paint of the list, even of thousands of rows.
void CReorderListCtrl::SortByName(bool ascending)
{
    std::vector<std::uintptr_t> records = CurrentRecords();
    std::vector<std::string_view> keys;
    keys.reserve(records.size());
    for (std::uintptr_t record : records)
        keys.push_back(record ? std::string_view(reinterpret_cast<const VisPlugin*>(record)->nameKey) : "");
    std::vector<int> order = RowOrderByName(keys, kFirstPluginRow, ascending);
    ScrollIntoView(kFirstPluginRow);
    if (SortRows(records, order))
        FollowReorder(order);
}

// Sort keys compare as CompareString compares the texts, ignoring case.
void CReorderListCtrl::MakeNameKey(const LVITEMA& item)
{
    bool named = (item.mask & LVIF_TEXT) && item.pszText && item.pszText != LPSTR_TEXTCALLBACKA;
    auto* plugin = (item.mask & LVIF_PARAM) ? reinterpret_cast<VisPlugin*>(item.lParam) : nullptr;
    if (!named || !plugin)
        return;
    wchar_t text[256] = L"";
    ::MultiByteToWideChar(CP_ACP, 0, item.pszText, -1, text, sizeof text / sizeof text[0] - 1);
    char bytes[1024];  // a sort key is counted in bytes
    int size = ::LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_SORTKEY | NORM_IGNORECASE, text, -1,
                              reinterpret_cast<wchar_t*>(bytes), sizeof bytes);
    plugin->nameKey.assign(bytes, static_cast<size_t>(std::max(size, 0)));
}

std::vector<const VisPlugin*> CReorderListCtrl::Records()
{
    std::vector<std::uintptr_t> records = CurrentRecords();
    std::vector<const VisPlugin*> plugins;
    plugins.reserve(records.size());
    for (std::uintptr_t record : records)
        plugins.push_back(reinterpret_cast<const VisPlugin*>(record));
    return plugins;
}

void CReorderListCtrl::Rearrange(const std::vector<int>& order, const std::vector<bool>& enabled, int current)
{
    // As in a sort, the rows change in place and are painted once at the end:
    // switching the list's redraw off and on would cost more paints than it saves.
    std::vector<std::uintptr_t> records = CurrentRecords();
    ScrollIntoView(kFirstPluginRow);
    if (SortRows(records, order)) {
        std::vector<VisPlugin*> rows;
        for (int old : order)
            rows.push_back(reinterpret_cast<VisPlugin*>(records[static_cast<size_t>(old)]));
        SetLamps(rows, enabled);
        MoveCurrentMark(rows, current);
    }
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

// rows: each row's record. The lamps follow at the next paint.
void CReorderListCtrl::SetLamps(const std::vector<VisPlugin*>& rows, const std::vector<bool>& enabled)
{
    for (size_t row = kFirstPluginRow; row < rows.size() && row < enabled.size(); ++row) {
        if (rows[row] && ((rows[row]->flags & VIS_ENABLED) != 0) != enabled[row])
            rows[row]->flags ^= VIS_ENABLED;
    }
}

void CReorderListCtrl::MoveCurrentMark(const std::vector<VisPlugin*>& rows, int current)
{
    for (VisPlugin* plugin : rows)
        if (plugin)
            plugin->flags &= ~static_cast<unsigned long>(VIS_CURRENT);
    bool marked = current >= 0 && static_cast<size_t>(current) < rows.size() && rows[static_cast<size_t>(current)];
    if (marked)
        rows[static_cast<size_t>(current)]->flags |= VIS_CURRENT;
    m_nCurrent = marked ? current : kNoVisual;
}

void CReorderListCtrl::SwitchAllLamps(bool on)
{
    SetRedraw(FALSE);
    for (int row = kFirstPluginRow; row < GetItemCount(); ++row) {
        if (((GetItemFlags(row) & VIS_ENABLED) != 0) != on)
            ToggleLamp(row);
    }
    SetRedraw(TRUE);
    Invalidate();
}

// Puts the rows into that order (RowOrderAfterMove's) with one sort of the
// list view: a row keeps its texts, lamp, states and record, only its place
// changes, and a long list is neither shifted nor redrawn once per moved row.
// False, with nothing changed, when rows cannot be told apart by their records.
bool CReorderListCtrl::SortRows(const std::vector<int>& order)
{
    return SortRows(CurrentRecords(), order);
}

// Every row's item data, in row order.
std::vector<std::uintptr_t> CReorderListCtrl::CurrentRecords()
{
    if (const std::vector<std::uintptr_t>* known = m_rowRecords.Known(GetItemCount()))
        return *known;
    std::vector<std::uintptr_t> records = ReadRecords();
    m_rowRecords.Remember(records);
    return records;
}

std::vector<std::uintptr_t> CReorderListCtrl::ReadRecords()
{
    std::vector<std::uintptr_t> records(static_cast<size_t>(GetItemCount()));
    for (size_t row = 0; row < records.size(); ++row) {
        // Asked of the list view itself: a message per row through our own
        // handlers would cost more than the sort.
        LVITEMA item{};
        item.mask = LVIF_PARAM;
        item.iItem = static_cast<int>(row);
        Default(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        records[row] = static_cast<std::uintptr_t>(item.lParam);
    }
    return records;
}

// records[i] is row i's item data, which tells the rows apart.
bool CReorderListCtrl::SortRows(const std::vector<std::uintptr_t>& records, const std::vector<int>& order)
{
    RowRanks ranks(records, order);
    if (ranks.Empty())
        return false;
    if (!SendMessage(LVM_SORTITEMS, reinterpret_cast<WPARAM>(&ranks), reinterpret_cast<LPARAM>(&CompareRanks)))
        return false;
    std::vector<std::uintptr_t> sorted;
    sorted.reserve(order.size());
    for (int old : order)
        sorted.push_back(records[static_cast<size_t>(old)]);
    m_rowRecords.Remember(std::move(sorted));
    return true;
}

int CALLBACK CReorderListCtrl::CompareRanks(LPARAM first, LPARAM second, LPARAM ranks)
{
    const auto& table = *reinterpret_cast<const RowRanks*>(ranks);
    return table.RankOf(static_cast<std::uintptr_t>(first)) - table.RankOf(static_cast<std::uintptr_t>(second));
}

// The move for rows that a sort cannot tell apart, one row at a time.
void CReorderListCtrl::MoveRowsOneByOne(const std::vector<int>& rows, int dropRow, bool dropBelow, int count)
{
    // Each insertion and deletion would otherwise update the scroll bar on screen.
    SendMessage(WM_SETREDRAW, FALSE);
    int columns = ColumnCount();
    for (const RowMoveStep& step : PlanRowMove(rows, dropRow, dropBelow, count))
        MoveRow(step.from, step.insertAt, step.eraseAt, columns);
    SendMessage(WM_SETREDRAW, TRUE);
}

// One step of the move, as the list view's own rows allow it: a copy of the
// row goes in at its new place, then the original goes.
void CReorderListCtrl::MoveRow(int from, int insertAt, int eraseAt, int columns)
{
    char text[256] = "";
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_STATE;  // the lamp follows the record
    item.iItem = from;
    item.stateMask = kMovedStates;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    GetItem(&item);
    SetItemState(from, 0, LVIS_SELECTED);
    item.iItem = insertAt;
    InsertItem(&item);
    for (int column = 1; column < columns; ++column) {
        std::string subText = GetItemText(eraseAt, column);
        LVITEMA sub{};
        sub.mask = LVIF_TEXT;
        sub.iItem = insertAt;
        sub.iSubItem = column;
        sub.pszText = &subText[0];
        SetItem(&sub);
    }
    // The record now belongs to the new row.
    DeleteItem(eraseAt);
}

int CReorderListCtrl::ColumnCount() const
{
    HWND header = GetHeaderCtrl();
    return header ? static_cast<int>(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 1;
}

// Ctrl+Up and Ctrl+Down move the selected plug-in rows like a drop; Space
// switches the focused row's lamp and then selects it as usual.
bool CReorderListCtrl::OnKeyDown(UINT key)
{
    bool control = ::GetKeyState(VK_CONTROL) < 0;
    bool shift = ::GetKeyState(VK_SHIFT) < 0;
    if (control && (key == VK_UP || key == VK_DOWN)) {
        if (!IsDragging())
            MoveSelectionByKey(key == VK_UP);
        return true;
    }
    if (key == VK_SPACE && !control && !shift)
        ToggleLamp(GetNextItem(-1, LVNI_FOCUSED));
    return false;
}

void CReorderListCtrl::MoveSelectionByKey(bool up)
{
    std::vector<int> moved = MovableRows(SelectedRows());
    int target = 0;
    bool below = false;
    if (!KeyboardDrop(moved, GetItemCount(), up, target, below))
        return;
    std::vector<int> now = MoveRows(moved, target, below);
    ScrollIntoView(up ? now.front() : now.back());
}

LRESULT CReorderListCtrl::OnCustomDraw(NMLVCUSTOMDRAW* draw)
{
    CreateRowFonts();
    switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
        return OnItemPrePaint(draw);
    case CDDS_ITEMPOSTPAINT:
        if (m_bRowSelected)
            SetItemState(static_cast<int>(draw->nmcd.dwItemSpec), LVIS_SELECTED, LVIS_SELECTED);
        return CDRF_DODEFAULT;
    }
    return CDRF_DODEFAULT;
}

LRESULT CReorderListCtrl::OnItemPrePaint(NMLVCUSTOMDRAW* draw)
{
    int row = static_cast<int>(draw->nmcd.dwItemSpec);
    LRESULT result = CDRF_NOTIFYPOSTPAINT;
    m_bRowSelected = GetItemState(row, LVIS_SELECTED) != 0;
    if (m_bRowSelected) {
        draw->clrText = kSelectedText;
        // Selected rows show in yellow over the skin, without a selection bar:
        // the row is unselected while it is drawn and selected again after.
        SetItemState(row, 0, LVIS_SELECTED);
        draw->nmcd.uItemState &= ~static_cast<UINT>(CDIS_SELECTED);
    }
    DWORD flags = GetItemFlags(row);
    if ((flags & VIS_NO_NAME) && !m_bRowSelected)
        draw->clrText = kNoNameText;
    if (flags & VIS_CURRENT)
        m_nCurrent = row;
    if (HFONT chosen = RowFontHandle(flags)) {
        ::SelectObject(draw->nmcd.hdc, chosen);
        result |= CDRF_NEWFONT;
    }
    return result;
}

// The bold or struck-out font that the row's flags ask for; null for the list's own.
HFONT CReorderListCtrl::RowFontHandle(DWORD flags) const
{
    switch (RowFontFor(flags)) {
    case ROW_FONT_BOLD:
        return m_fontBold.GetSafeHandle();
    case ROW_FONT_STRIKE:
        return m_fontStrike.GetSafeHandle();
    default:
        return nullptr;
    }
}

void CReorderListCtrl::CreateRowFonts()
{
    if (m_fontBold.GetSafeHandle())
        return;
    auto listFont = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    LOGFONTA font{};
    if (!listFont || !CFont::GetLogFont(listFont, &font))
        return;
    LONG weight = font.lfWeight;
    font.lfWeight = FW_BOLD;
    m_fontBold.CreateFontIndirect(&font);
    font.lfWeight = weight;
    font.lfStrikeOut = TRUE;
    m_fontStrike.CreateFontIndirect(&font);
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
