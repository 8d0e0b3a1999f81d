#include "listview/DragRules.h"

bool IsDropBelow(int rowTop, int rowBottom, int pointerY)
{
    return rowTop + (rowBottom - rowTop) / 2 < pointerY;
}

int AutoScrollDirection(int areaTop, int areaBottom, int pointerY)
{
    if (pointerY < areaTop)
        return SCROLL_UP;
    if (pointerY > areaBottom)
        return SCROLL_DOWN;
    return SCROLL_NONE;
}
