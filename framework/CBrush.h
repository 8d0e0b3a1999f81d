#pragma once
#include "framework/CGdiObject.h"

class CBrush : public CGdiObject<HBRUSH> {
public:
    BOOL CreateSolidBrush(COLORREF color) { return Attach(::CreateSolidBrush(color)); }
    BOOL CreatePatternBrush(HBITMAP pattern) { return Attach(::CreatePatternBrush(pattern)); }
    BOOL CreateHatchBrush(int style, COLORREF color) { return Attach(::CreateHatchBrush(style, color)); }
};
