#include "skin/WindowShape.h"
#include "framework/CWindowDC.h"
#include "skin/SkinGeometry.h"

HRGN CreateWindowShape(HWND wnd)
{
    RECT rect{};
    ::GetWindowRect(wnd, &rect);
    POINT corners[2] = {{rect.left, rect.top}, {rect.right, rect.bottom}};
    ::ScreenToClient(wnd, &corners[0]);
    ::ScreenToClient(wnd, &corners[1]);
    POINT polygon[9];
    int i = 0;
    for (const SkinPoint& point : WindowShapePoints(corners[0].x, corners[0].y, corners[1].x, corners[1].y))
        polygon[i++] = {point.x, point.y};
    return ::CreatePolygonRgn(polygon, 9, WINDING);
}

void FrameWindowShape(HDC dc, HRGN region, HBRUSH outer, HBRUSH middle, HBRUSH inner)
{
    ::FrameRgn(dc, region, inner, 3, 3);
    ::FrameRgn(dc, region, middle, 2, 2);
    ::FrameRgn(dc, region, outer, 1, 1);
}

BOOL PaintWindowOutline(HWND wnd, HRGN scratch, HBRUSH outer, HBRUSH middle, HBRUSH inner)
{
    if (::GetWindowRgn(wnd, scratch) == ERROR)
        return FALSE;
    CWindowDC dc(wnd);
    FrameWindowShape(dc, scratch, outer, middle, inner);
    return TRUE;
}
