#pragma once

// Auto-scroll directions of a drag.
enum { SCROLL_NONE = 0, SCROLL_UP = 1, SCROLL_DOWN = 2 };

// The drop goes below the target row when the pointer is past the middle of
// the row; a pointer exactly on the middle counts as above.
bool IsDropBelow(int rowTop, int rowBottom, int pointerY);

// Above the rows' area scrolls up, below it scrolls down; its top and bottom
// lines count as inside.
int AutoScrollDirection(int areaTop, int areaBottom, int pointerY);
