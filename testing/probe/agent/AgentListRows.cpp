// Runs inside the program: the records are the program's own VisPlugin
// objects, built by the same compiler from the same header.
#include "testing/probe/agent/AgentListRows.h"
#include <commctrl.h>
#include "catalogue/VisPlugin.h"
#include "testing/probe/ProbeRecord.h"

namespace {

constexpr int kTextLength = 4096;

std::string ScreenRectText(HWND list, RECT rect)
{
    ::MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return std::to_string(rect.left) + "," + std::to_string(rect.top) + "," + std::to_string(rect.right) + "," +
           std::to_string(rect.bottom);
}

RECT ItemRect(HWND list, int index, int kind)
{
    RECT rect{};
    rect.left = kind;
    if (!::SendMessageA(list, LVM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect)))
        return RECT{};
    return rect;
}

VisPlugin* RecordOf(HWND list, int row)
{
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!::SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
        return nullptr;
    return reinterpret_cast<VisPlugin*>(item.lParam);
}

}

std::string ListRows(HWND list)
{
    std::string lines;
    int count = static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int index = 0; index < count; ++index) {
        char text[kTextLength] = "";
        LVITEMA item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM | LVIF_STATE;
        item.iItem = index;
        item.stateMask = static_cast<UINT>(-1);
        item.pszText = text;
        item.cchTextMax = kTextLength;
        ::SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        ProbeRecord row("row");
        row.SetNumber("index", index)
            .Set("text", text)
            .SetNumber("image", item.iImage)
            .SetNumber("state", item.state)
            .SetNumber("data", item.lParam);
        const auto* plugin = reinterpret_cast<const VisPlugin*>(item.lParam);
        if (plugin)
            row.Set("file", plugin->file).SetNumber("flags", plugin->flags).SetNumber("loadIndex", plugin->loadIndex);
        row.SetNumber("record", plugin ? 1 : 0)
            .Set("bounds", ScreenRectText(list, ItemRect(list, index, LVIR_BOUNDS)))
            .Set("icon", ScreenRectText(list, ItemRect(list, index, LVIR_ICON)));
        lines += row.Format() + "\n";
    }
    return lines;
}

bool SetRowFlags(HWND list, int row, unsigned long flags)
{
    VisPlugin* plugin = RecordOf(list, row);
    if (!plugin)
        return false;
    plugin->flags = flags;
    ::SendMessageA(list, LVM_REDRAWITEMS, row, row);
    return ::UpdateWindow(list) != FALSE;
}
