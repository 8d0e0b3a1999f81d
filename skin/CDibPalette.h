#pragma once
#include "framework/CPalette.h"

class CDibImage;

// The logical palette of an image of 8 bits per pixel or less, built from
// the image's colour table.
class CDibPalette : public CPalette {
public:
    explicit CDibPalette(const CDibImage& image);
};
