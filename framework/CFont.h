#pragma once
#include "framework/CGdiObject.h"

class CFont : public CGdiObject<HFONT> {
public:
    BOOL CreateFontIndirect(const LOGFONTA* font) { return Attach(::CreateFontIndirectA(font)); }
    static BOOL GetLogFont(HFONT font, LOGFONTA* out)
    {
        return ::GetObjectA(font, sizeof *out, out) == sizeof *out;
    }
};
