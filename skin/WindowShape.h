#pragma once
#include <windows.h>
#include "skin/DisplayScale.h"

// The main window's polygon shape and its three-tone outline.

// The polygon region for the window's current size, in window coordinates
// (the window has neither caption nor border); null on failure.
HRGN CreateWindowShape(HWND wnd, int dpi = kBaseDpi);

// Frames region on dc in three bands, from the outside in: one pixel of
// outer, one of middle, one of inner (wider at more dots per inch). The
// widest band goes first so that the narrower ones land on top of it.
void FrameWindowShape(HDC dc, HRGN region, HBRUSH outer, HBRUSH middle, HBRUSH inner, int dpi = kBaseDpi);

// Copies the window's region into scratch and frames it on the window DC;
// FALSE when the window has no region.
BOOL PaintWindowOutline(HWND wnd, HRGN scratch, HBRUSH outer, HBRUSH middle, HBRUSH inner, int dpi = kBaseDpi);
