#pragma once
#include <windows.h>

// The number of GDI objects this process holds, for leak tests. Windows
// reports it through GetGuiResources; Wine 8 reports 0 there, but its GDI
// accepts a handle's table index without the upper word, so the live
// entries can be counted by asking each index for its object type. Warm up
// (run the code under test once) before taking the first count: the first
// DCs of a process create a few objects that stay.
inline DWORD GdiObjectCount()
{
    DWORD reported = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    if (reported)
        return reported;
    DWORD live = 0;
    for (UINT_PTR index = 1; index < 0x10000; ++index)
        live += ::GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0;
    return live;
}

// The counter must see a new object, or a leak test could not fail.
inline bool GdiCounterCounts()
{
    DWORD before = GdiObjectCount();
    HBRUSH probe = ::CreateSolidBrush(RGB(1, 2, 3));
    bool counted = GdiObjectCount() == before + 1;
    ::DeleteObject(probe);
    return counted && GdiObjectCount() == before;
}
