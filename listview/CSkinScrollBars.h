#pragma once
#include "framework/CBitmap.h"
#include "framework/CDC.h"
#include "framework/CWindowDC.h"

// Lays a skinned list's scroll bars over its backdrop, so that every pixel in
// the button-face colour shows the skin and only arrows, thumb and edges stay
// as the system draws them. Lives for one paint, or for one blend outside it.
class CSkinScrollBars {
public:
    // backdrop: the list's captured skin, origin at the list's client origin.
    CSkinScrollBars(HWND list, HDC backdrop);

    // Before painting begins: keep the bars as they stand on screen.
    void Save();
    // After painting has begun (the system has drawn the bars anew), or at
    // any time after the system has drawn them without a paint.
    void Blend();

private:
    // A memory DC with a bitmap of the bar's size selected into it.
    struct Surface {
        ~Surface();
        bool Create(HDC screen, int width, int height, bool monochrome);

        CDC dc;
        CBitmap bitmap;
        HGDIOBJ displaced = nullptr;
    };
    struct Bar {
        bool present = false;
        int x = 0, y = 0, width = 0, height = 0;
        Surface live;      // the bar as the system has just drawn it
        Surface saved;     // the bar before the paint
        Surface backdrop;  // the skin behind the bar
        Surface mask;      // 1 where the live bar has the button-face colour
    };

    void Prepare(Bar& bar);
    void Blend(Bar& bar);

    HDC m_hBackdrop;
    CWindowDC m_windowDC;
    int m_eX = 0;
    int m_eY = 0;
    Bar m_vertical;
    Bar m_horizontal;
    bool m_bSaved = false;
};
