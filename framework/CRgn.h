#pragma once
#include "framework/CGdiObject.h"

class CRgn : public CGdiObject<HRGN> {
public:
    BOOL CreateRectRgn(int left, int top, int right, int bottom)
    {
        return Attach(::CreateRectRgn(left, top, right, bottom));
    }
};
