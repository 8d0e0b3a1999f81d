#include "skin/WindowShape.h"
#include "framework/CWindowDC.h"
#include "skin/SkinGeometry.h"

HRGN CreateWindowShape(HWND wnd, int dpi)
{
    RECT rect{};
    ::GetWindowRect(wnd, &rect);
    POINT corners[2] = {{rect.left, rect.top}, {rect.right, rect.bottom}};
    ::ScreenToClient(wnd, &corners[0]);
    ::ScreenToClient(wnd, &corners[1]);
    POINT polygon[9];
    int i = 0;
    for (const SkinPoint& point : WindowShapePoints(corners[0].x, corners[0].y, corners[1].x, corners[1].y, dpi))
        polygon[i++] = {point.x, point.y};
    return ::CreatePolygonRgn(polygon, 9, WINDING);
}

void FrameWindowShape(HDC dc, HRGN region, HBRUSH outer, HBRUSH middle, HBRUSH inner, int dpi)
{
    int band = OutlineBandWidth(dpi);
    ::FrameRgn(dc, region, inner, 3 * band, 3 * band);
    ::FrameRgn(dc, region, middle, 2 * band, 2 * band);
    ::FrameRgn(dc, region, outer, band, band);
}

BOOL PaintWindowOutline(HWND wnd, HRGN scratch, HBRUSH outer, HBRUSH middle, HBRUSH inner, int dpi)
{
    if (::GetWindowRgn(wnd, scratch) == ERROR)
        return FALSE;
    CWindowDC dc(wnd);
    FrameWindowShape(dc, scratch, outer, middle, inner, dpi);
    return TRUE;
}
