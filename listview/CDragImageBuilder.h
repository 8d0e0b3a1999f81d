#pragma once
#include <functional>
#include <memory>
#include <utility>
#include <vector>
#include "framework/CImageList.h"
#include "framework/CListCtrl.h"

// Builds the image that follows the pointer during a drag: the dragged rows'
// lamps and names where the list shows them, in its colour and the rows' fonts,
// on a ground the image list makes transparent, so only they float over the list.
class CDragImageBuilder {
public:
    // rowFont: the font the list draws a row in; null for the list's own.
    CDragImageBuilder(const CListCtrl& list, COLORREF textColor, std::function<HFONT(int row)> rowFont)
        : m_list(list), m_textColor(textColor), m_rowFont(std::move(rowFont)) {}

    // The image of the rows in sight, or of startRow when none is; null when
    // it cannot be made. hotSpot: the pointer's place in the image.
    std::unique_ptr<CImageList> Create(const std::vector<int>& rows, int startRow, POINT& hotSpot) const;

private:
    // What the image shows of a row: its lamp and name where the list draws them.
    struct DragRow {
        int image = 0;
        POINT lamp{};
        char text[256] = "";
        HFONT font = nullptr;
        RECT label{};  // where the name is drawn
        RECT area{};   // lamp and name together
    };
    std::vector<DragRow> RowsInSight(HDC dc, const std::vector<int>& rows, int startRow) const;
    bool ReadRow(HDC dc, int row, const RECT& area, DragRow& drawn) const;
    void DrawRows(HDC dc, HBITMAP picture, const std::vector<DragRow>& rows, const RECT& bounds) const;

    const CListCtrl& m_list;
    COLORREF m_textColor;
    std::function<HFONT(int row)> m_rowFont;
};
