#pragma once
#include "framework/CGdiObject.h"

class CBitmap : public CGdiObject<HBITMAP> {
public:
    BOOL LoadBitmap(HINSTANCE instance, UINT id)
    {
        return Attach(::LoadBitmapA(instance, MAKEINTRESOURCEA(id)));
    }
    BOOL CreateCompatibleBitmap(HDC dc, int width, int height)
    {
        return Attach(::CreateCompatibleBitmap(dc, width, height));
    }
    BOOL CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits)
    {
        return Attach(::CreateBitmap(width, height, planes, bitsPerPixel, bits));
    }
    BITMAP GetBitmap() const
    {
        BITMAP info{};
        ::GetObjectA(m_handle, sizeof info, &info);
        return info;
    }
};
