#pragma once
#include "framework/CGdiObject.h"

class CPalette : public CGdiObject<HPALETTE> {
public:
    BOOL CreatePalette(const LOGPALETTE* palette) { return Attach(::CreatePalette(palette)); }
};
