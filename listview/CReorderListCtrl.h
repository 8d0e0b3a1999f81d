#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>
#include "framework/CFont.h"
#include "catalogue/VisPlugin.h"
#include "framework/CImageList.h"
#include "listview/CListAccessible.h"
#include "listview/CRowRecords.h"
#include "listview/CRowTips.h"
#include "listview/CSkinListCtrl.h"

// The plug-in list of the main window. The user drags the selected plug-in
// rows (row 4 and below) into a new order, or moves them with Ctrl+Up and
// Ctrl+Down; rows are drawn by their plug-in's state. Each row's item data is
// its VisPlugin record, which this list owns and frees when its window is
// destroyed.
class CReorderListCtrl : public CSkinListCtrl {
public:
    // Marks the row as the host's current visual; returns the row marked before.
    int SetCurrent(int row);
    // Marks the first row whose label equals name (case-insensitive); -1 if none.
    int SetCurrentByName(const std::string& name);
    // The running host loaded this row: wanted enabled, not disabled on disk, not added since.
    bool IsKnownToHost(int row) const;
    // The row's VisPlugin flags; 0 for a row without a record.
    DWORD GetItemFlags(int row) const;
    // Switches a plug-in row's lamp and VIS_ENABLED together; false, with
    // nothing changed, for rows 0 to 3, the current row and rows without a record.
    bool ToggleLamp(int row);
    // The row's record; null for a row without one and for a row that is not there.
    VisPlugin* GetPlugin(int row) const;
    // Puts the plug-in rows in the order of their names, as Windows compares
    // text for people, ignoring case; rows travel as a drag moves them. The
    // first plug-in row is then in sight.
    void SortByName(bool ascending);
    // The selected rows that may be removed: plug-in rows other than the current one.
    std::vector<int> RemovableRows() const;
    // Deletes the rows with their records; the current row's mark follows it.
    void RemoveRows(const std::vector<int>& rows);
    // Rows just inserted (ascending): the current mark follows its row past
    // them, and they alone are selected, the first focused and in sight.
    void ShowInsertedRows(const std::vector<int>& rows);
    // Every row's record (null for a row without one), in row order, as the
    // list has followed them; read from the list view only when it could not.
    std::vector<const VisPlugin*> Records();
    // Puts the rows in order (element k: the present index of new row k), the
    // plug-in rows' lamps as enabled says (by new row) and the current mark
    // on row current, with one sort and one paint, as a sort by name does.
    // The order's rows stay where they are when it does not fit the list.
    void Rearrange(const std::vector<int>& order, const std::vector<bool>& enabled, int current);
    // Every plug-in row's lamp on or off, but the current row's, as clicks would set them.
    void SwitchAllLamps(bool on);
    // Where a menu asked for from the keyboard opens, in screen coordinates:
    // under the selected row (the focused one of several, or the focused row
    // when none is selected), kept within the list; its top-left corner when
    // no row is either.
    POINT KeyboardMenuPoint() const;
    // The owner hears of a double-click on the row once this call has returned.
    void DoubleClickLater(int row) const;

    // The row that carries VIS_CURRENT; kNoVisual when none.
    int m_nCurrent = kNoVisual;

protected:
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool OnListMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnNotifyReflect(NMHDR* header, LRESULT& result) override;
    void PreSubclassWindow() override;

private:
    bool IsDragging() const { return m_pDragImage != nullptr; }
    std::vector<int> SelectedRows() const;

    // Dragging.
    void OnBeginDrag(const NMLISTVIEW* info);
    void OnDragMove(POINT point);
    void TrackDropTarget(POINT point, int target);
    void OnDragRelease();
    void EndDrag();

    // The drop target shows as selected.
    void SetDropHighlight(int row);
    void RemoveDropHighlight();

    // Scrolling by itself while the pointer of a drag is outside the rows.
    void UpdateAutoScroll(int pointerY);
    void StartAutoScroll(int direction);
    void StopAutoScroll();
    void OnAutoScrollStep();

    // Moving rows.
    std::vector<int> MoveRows(const std::vector<int>& rows, int dropRow, bool dropBelow);
    bool SortRows(const std::vector<int>& order);
    bool SortRows(const std::vector<std::uintptr_t>& records, const std::vector<int>& order);
    std::vector<std::uintptr_t> CurrentRecords();
    std::vector<std::uintptr_t> ReadRecords();
    void FollowReorder(const std::vector<int>& order);
    void SetLamps(const std::vector<VisPlugin*>& rows, const std::vector<bool>& enabled);
    void MoveCurrentMark(const std::vector<VisPlugin*>& rows, int current);
    static void MakeNameKey(const LVITEMA& item);
    static int CALLBACK CompareRanks(LPARAM first, LPARAM second, LPARAM ranks);
    void MoveRowsOneByOne(const std::vector<int>& rows, int dropRow, bool dropBelow, int count);
    void MoveRow(int from, int insertAt, int eraseAt, int columns);
    int ColumnCount() const;

    // The keyboard.
    bool OnKeyDown(UINT key);
    void MoveSelectionByKey(bool up);

    // Drawing and teardown.
    LRESULT OnCustomDraw(NMLVCUSTOMDRAW* draw);
    LRESULT OnItemPrePaint(NMLVCUSTOMDRAW* draw);
    HFONT RowFontHandle(DWORD flags) const;
    void CreateRowFonts();
    void DeleteRecords();
    void SendDoubleClick(int row);
    // Screen readers are told a row's lamp and marks have changed.
    void NotifyRowChanged(int row, DWORD event) const;

    std::vector<int> m_dragItems;  // rows being dragged, ascending
    int m_nDropIndex = -1;
    std::unique_ptr<CImageList> m_pDragImage;  // set exactly while a drag is in progress
    int m_nHighlight = -1;
    UINT m_nHighlightState = 0;
    int m_nScrollDir = 0;
    UINT_PTR m_nScrollTimer = 0;
    CFont m_fontStrike;
    CFont m_fontBold;
    bool m_bDropAllowed = false;
    HCURSOR m_hNoDropCursor = ::LoadCursor(nullptr, IDC_NO);
    HCURSOR m_hDropCursor = ::LoadCursor(nullptr, IDC_CROSS);
    bool m_bDropBelow = false;
    bool m_bRestoreSingleSel = false;
    bool m_bSwallowClick = false;  // the click the list view reports for the release of a drag
    bool m_bRowSelected = false;   // the row being drawn was selected
    CRowTips m_rowTips;
    CListAccessible* m_pAccessible = nullptr;  // made when a screen reader first asks
    CRowRecords m_rowRecords;
};
