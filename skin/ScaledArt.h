#pragma once
#include <windows.h>
#include "skin/DisplayScale.h"

// The program's art at the display's scale, read from the larger set and
// scaled down by area averaging, the same on every system (GDI's HALFTONE
// stretch does not average everywhere).

// The dots per inch of the display the window is on (of the system's
// display where Windows cannot tell one display from another).
int WindowDpi(HWND wnd);

// A colour as a pixel of Pixels.
std::uint32_t PixelOf(COLORREF colour);
// The bitmap's pixels; empty when it cannot be read.
Pixels ReadPixels(HBITMAP bitmap);
// A 32-bit bitmap holding the pixels; null on failure.
HBITMAP CreateBitmapOfPixels(const Pixels& pixels);
// Bitmap resource id area-averaged to width x height; null when it cannot be
// loaded. With a key colour, pixels mostly covered by the key stay key and
// the art's edges blend with ground.
HBITMAP LoadScaledArt(UINT id, int width, int height);
HBITMAP LoadScaledKeyedArt(UINT id, int width, int height, COLORREF key, COLORREF ground);

// Shows art in the dialog's one static control that shows a bitmap, which
// takes the bitmap's size from its corner and moves to the middle where it
// would not fit from there. The bitmap it showed before; null when there is
// no such control.
HBITMAP ShowInBitmapControl(HWND dialog, HBITMAP art);

// Art made width x height for 96 dpi (resource id) and at twice that size
// (largeId), for dpi: the resource itself where its set is the one drawn,
// otherwise the larger one area-averaged to the scaled size.
HBITMAP LoadArtForDpi(UINT id, UINT largeId, SIZE size, int dpi);
HBITMAP LoadKeyedArtForDpi(UINT id, UINT largeId, SIZE size, int dpi, COLORREF key, COLORREF ground);
