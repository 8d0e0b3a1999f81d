#pragma once
#include <array>
#include <vector>
#include "skin/DisplayScale.h"

// Where the skin puts things, without a window.

struct SkinPoint {
    int x;
    int y;
    bool operator==(const SkinPoint& other) const { return x == other.x && y == other.y; }
};

// The main window's outline for its rectangle in window coordinates: the top
// corners cut by 30 x 30, the sides slanting in by 15 down to 30 above the
// bottom, the lower corners cut from 15 to 82 pixels in; at another dpi
// these lengths scale with the face. The ninth point closes the polygon on
// the first.
std::array<SkinPoint, 9> WindowShapePoints(int left, int top, int right, int bottom, int dpi = kBaseDpi);

// The top-left corners of the tiles that cover an area with an image, rows
// top to bottom, each left to right. None for an empty image or area.
std::vector<SkinPoint> TileOrigins(int areaWidth, int areaHeight, int imageWidth, int imageHeight);

// The top-left corner that centres an image in an area; negative when the
// image is larger (the divisions truncate toward zero).
SkinPoint CentredOrigin(int areaWidth, int areaHeight, int imageWidth, int imageHeight);

// The hit-test answer of a window that is moved by dragging its surface:
// HTCLIENT becomes HTCAPTION, anything else stays.
long CaptionHitTest(long hit);
