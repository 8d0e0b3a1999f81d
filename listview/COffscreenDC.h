#pragma once
#include "framework/CBitmap.h"
#include "framework/CDC.h"

// Gathers one paint of a window in a memory bitmap and puts it on the target
// in one BitBlt when destroyed, so the screen never shows a half-drawn list.
// A target that is a printer or has no window behind it, or a paint without
// memory for the bitmap, is drawn directly.
class COffscreenDC : public CDC {
public:
    explicit COffscreenDC(HDC target);
    ~COffscreenDC() override;

    bool IsOffscreen() const { return m_bOffscreen; }

private:
    bool StartOffscreen();

    CBitmap m_bitmap;
    HGDIOBJ m_hOldBitmap = nullptr;
    HDC m_hTargetDC;
    RECT m_area{};  // the target window's client area, in the target's coordinates
    bool m_bOffscreen = false;
};
