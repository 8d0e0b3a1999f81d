#include "listview/RowState.h"
#include "catalogue/VisPlugin.h"

RowFont RowFontFor(unsigned long flags)
{
    const unsigned long struck = VIS_ENABLED | VIS_DISABLED_ON_DISK;
    if ((flags & struck) == struck)
        return ROW_FONT_STRIKE;
    if (flags & VIS_CURRENT)
        return ROW_FONT_BOLD;
    return ROW_FONT_LIST;
}

int LampImage(int row, unsigned long flags)
{
    if (row < kFirstPluginRow)
        return IMG_BUILTIN;
    return (flags & VIS_ENABLED) ? IMG_ENABLED : IMG_DISABLED;
}

bool ToggleLampState(int row, unsigned long& flags)
{
    if (row < kFirstPluginRow || (flags & VIS_CURRENT))
        return false;
    flags ^= VIS_ENABLED;
    return true;
}
