#include "skin/SkinGeometry.h"

namespace {
const long kHitClient = 1;   // HTCLIENT
const long kHitCaption = 2;  // HTCAPTION
}

std::array<SkinPoint, 9> WindowShapePoints(int left, int top, int right, int bottom, int dpi)
{
    int corner = ScaleToDpi(30, dpi);
    int slant = ScaleToDpi(15, dpi);
    int foot = ScaleToDpi(82, dpi);
    return {{
        {left + corner, top},
        {right - corner, top},
        {right, top + corner},
        {right - slant, bottom - corner},
        {right - foot, bottom},
        {left + foot, bottom},
        {left + slant, bottom - corner},
        {left, top + corner},
        {left + corner, top},
    }};
}

std::vector<SkinPoint> TileOrigins(int areaWidth, int areaHeight, int imageWidth, int imageHeight)
{
    std::vector<SkinPoint> origins;
    if (imageWidth <= 0 || imageHeight <= 0)
        return origins;
    for (int y = 0; y < areaHeight; y += imageHeight)
        for (int x = 0; x < areaWidth; x += imageWidth)
            origins.push_back({x, y});
    return origins;
}

SkinPoint CentredOrigin(int areaWidth, int areaHeight, int imageWidth, int imageHeight)
{
    return {(areaWidth - imageWidth) / 2, (areaHeight - imageHeight) / 2};
}

long CaptionHitTest(long hit)
{
    return hit == kHitClient ? kHitCaption : hit;
}
