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

bool ToggleLampState(int row, int& image, unsigned long& flags)
{
    if (row < kFirstPluginRow || (flags & VIS_CURRENT))
        return false;
    if (image == IMG_ENABLED) {
        image = IMG_DISABLED;
        flags &= ~static_cast<unsigned long>(VIS_ENABLED);
    } else {
        image = IMG_ENABLED;
        flags |= VIS_ENABLED;
    }
    return true;
}
