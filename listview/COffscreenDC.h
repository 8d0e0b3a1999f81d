#pragma once
#include "framework/CBitmap.h"
#include "framework/CDC.h"

// Gathers one paint of a window in a memory bitmap and puts it on the target
// in one BitBlt when destroyed, so the screen never shows a half-drawn list.
// A target that is a printer, or has no window behind it, is drawn directly.
class COffscreenDC : public CDC {
public:
    explicit COffscreenDC(HDC target);
    ~COffscreenDC() override;

    bool IsOffscreen() const { return m_bOffscreen; }

private:
    bool StartOffscreen();

    CBitmap m_bitmap;
    HGDIOBJ m_pOldBitmap = nullptr;
    HDC m_pDC;
    RECT m_rect{};
    bool m_bOffscreen = false;
};
