#pragma once
#include <cstdint>
#include <vector>

// How the skin follows the display's resolution. Its art comes in two sets:
// one made for 96 dots per inch and one at twice that size, for 192.

constexpr int kBaseDpi = 96;

// The set (1 or 2) drawn at dpi: the smallest made for that scale or a
// larger one, so that art is scaled down, or up by a few per cent at most.
int ArtSetFor(int dpi);

// A length of the 96-dpi layout at dpi, to the nearest pixel (halves up).
int ScaleToDpi(int length, int dpi);

// The resolution that the art of a control taking its art's size (the
// title, the clip) is drawn for at dpi. Up to 120 dpi, the highest a dialog
// template is laid out for, such a control keeps its size in the template;
// above, it grows with the display.
int ControlArtDpi(int dpi);

// The left edge of such a control: its corner in the template where the art
// fits in the client area from there, centred across the client area where
// it would run past the right edge.
int ArtControlLeft(int templateLeft, int width, int clientWidth);

// The width of each of the outline's three bands at dpi: one pixel at 96.
int OutlineBandWidth(int dpi);

// Pixels 0x00RRGGBB, rows top-down.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> data;
};

// The picture at width x height, each pixel the mean of the source area it
// covers, every source pixel weighted by how much of it lies in that area.
// Meant for scaling down; an equal size gives the picture unchanged. Empty
// for an empty source or size.
Pixels AreaAverage(const Pixels& source, int width, int height);

// The same for art with a transparent colour: key pixels count as ground in
// the means, and a pixel of the result is key when key covered at least half
// of its area, so that the edge of the art blends with the ground it is made
// for instead of the key.
Pixels AreaAverageKeyed(const Pixels& source, int width, int height, std::uint32_t key, std::uint32_t ground);
