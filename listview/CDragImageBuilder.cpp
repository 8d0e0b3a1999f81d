#include "listview/CDragImageBuilder.h"
#include <algorithm>
#include "framework/CBitmap.h"
#include "framework/CClientDC.h"
#include "framework/CSelectGuard.h"

namespace {
// The image's ground, which the image list makes transparent. Black: the
// names' smoothed edges fade into it as into the dark skin.
const COLORREF kDragGround = RGB(0, 0, 0);
// The list view leaves this gap between a row's lamp and its name, and draws
// the name so.
const int kLabelGap = 2;
const UINT kLabelFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
}

std::unique_ptr<CImageList> CDragImageBuilder::Create(const std::vector<int>& rows, int startRow, POINT& hotSpot) const
{
    CClientDC client(m_list.m_hWnd);
    std::vector<DragRow> drawn = RowsInSight(client, rows, startRow);
    RECT bounds{};
    for (const DragRow& row : drawn)
        ::UnionRect(&bounds, &bounds, &row.area);
    if (::IsRectEmpty(&bounds))
        return nullptr;
    int width = bounds.right - bounds.left;
    int height = bounds.bottom - bounds.top;
    CDC memory;
    CBitmap picture;
    if (!memory.CreateCompatibleDC(client) || !picture.CreateCompatibleBitmap(client, width, height))
        return nullptr;
    DrawRows(memory, picture, drawn, bounds);
    // In true colour: an image list's default depth has 16 colours, which
    // would change the colours of the names and lamps.
    auto image = std::make_unique<CImageList>();
    if (!image->Create(width, height, ILC_COLOR24 | ILC_MASK, 0, 1) || image->AddMasked(picture, kDragGround) < 0)
        return nullptr;
    ::GetCursorPos(&hotSpot);
    ::ScreenToClient(m_list.m_hWnd, &hotSpot);
    hotSpot.x -= bounds.left;
    hotSpot.y -= bounds.top;
    return image;
}

// Only the dragged rows in sight make up the image: one of every row of a
// long list would be a bitmap far larger than the screen.
std::vector<CDragImageBuilder::DragRow> CDragImageBuilder::RowsInSight(HDC dc, const std::vector<int>& rows,
                                                                       int startRow) const
{
    RECT client = m_list.GetClientRect();
    int top = static_cast<int>(m_list.SendMessage(LVM_GETTOPINDEX));
    int last = top + static_cast<int>(m_list.SendMessage(LVM_GETCOUNTPERPAGE));
    std::vector<DragRow> inSight;
    DragRow drawn;
    for (int row : rows) {
        if (row >= top && row <= last && ReadRow(dc, row, client, drawn))
            inSight.push_back(drawn);
    }
    if (inSight.empty() && ReadRow(dc, startRow, client, drawn))
        inSight.push_back(drawn);
    return inSight;
}

// Where the list draws the row's lamp and name, and in which font; false for
// a row outside the area.
bool CDragImageBuilder::ReadRow(HDC dc, int row, const RECT& area, DragRow& drawn) const
{
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = row;
    item.pszText = drawn.text;
    item.cchTextMax = sizeof drawn.text;
    RECT icon{};
    if (!m_list.GetItem(&item) || !m_list.GetItemRect(row, &icon, LVIR_ICON) ||
        !m_list.GetItemRect(row, &drawn.label, LVIR_LABEL))
        return false;
    drawn.image = item.iImage;
    HFONT font = m_rowFont(row);
    drawn.font = font ? font : reinterpret_cast<HFONT>(m_list.SendMessage(WM_GETFONT));
    drawn.area = drawn.label;
    int lampWidth = 0;
    int lampHeight = 0;
    if (::ImageList_GetIconSize(m_list.GetImageList(LVSIL_SMALL), &lampWidth, &lampHeight)) {
        drawn.lamp = {icon.left, icon.top + (icon.bottom - icon.top - lampHeight) / 2};
        drawn.area.left = icon.left;
        drawn.label.left += kLabelGap;
    }
    // The image reaches as far right as the name does.
    RECT text = drawn.label;
    CSelectGuard select(dc, drawn.font);
    ::DrawTextA(dc, drawn.text, -1, &text, kLabelFormat | DT_CALCRECT);
    drawn.area.right = std::min(drawn.label.right, text.right);
    return ::IntersectRect(&drawn.area, &drawn.area, &area) != FALSE;
}

void CDragImageBuilder::DrawRows(HDC dc, HBITMAP picture, const std::vector<DragRow>& rows, const RECT& bounds) const
{
    CSelectGuard select(dc, picture);
    RECT all{0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top};
    ::SetBkColor(dc, kDragGround);
    ::ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
    // From here on in the list's client coordinates.
    ::SetWindowOrgEx(dc, bounds.left, bounds.top, nullptr);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, m_textColor);
    HIMAGELIST lamps = m_list.GetImageList(LVSIL_SMALL);
    for (const DragRow& row : rows) {
        if (lamps)
            ::ImageList_Draw(lamps, row.image, dc, row.lamp.x, row.lamp.y, ILD_TRANSPARENT);
        RECT label = row.label;
        CSelectGuard font(dc, row.font);
        ::DrawTextA(dc, row.text, -1, &label, kLabelFormat);
    }
}
