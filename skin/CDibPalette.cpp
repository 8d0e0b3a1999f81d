#include "skin/CDibPalette.h"
#include <vector>
#include "skin/CDibImage.h"

CDibPalette::CDibPalette(const CDibImage& image)
{
    UINT count = image.NumColors();
    const RGBQUAD* table = image.GetColorTable();
    // LOGPALETTE declares one entry and is followed by the rest.
    std::vector<BYTE> block(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
    auto* palette = reinterpret_cast<LOGPALETTE*>(block.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = static_cast<WORD>(count);
    for (UINT i = 0; i < count; ++i) {
        PALETTEENTRY& entry = palette->palPalEntry[i];
        entry.peRed = table[i].rgbRed;
        entry.peGreen = table[i].rgbGreen;
        entry.peBlue = table[i].rgbBlue;
        entry.peFlags = 0;
    }
    CreatePalette(palette);
}
