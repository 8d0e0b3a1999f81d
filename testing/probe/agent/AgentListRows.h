#pragma once
#include <windows.h>
#include <string>

// The list view's rows, one "row" record line each, top to bottom: text,
// image, state, item data, the fields of the catalogue record the item data
// points to (record=1), and the row's bounds and icon rectangles on screen.
std::string ListRows(HWND list);

// Gives the record behind the row new flags and redraws the row.
bool SetRowFlags(HWND list, int row, unsigned long flags);
