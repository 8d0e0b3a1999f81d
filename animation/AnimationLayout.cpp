#include "animation/AnimationLayout.h"
#include <cstdio>
#include <cstring>

namespace {
const std::uint32_t kPureGreen = 0x0000FF00;

template <class Field>
Field ReadField(const unsigned char* bytes, std::size_t offset)
{
    Field value;
    std::memcpy(&value, bytes + offset, sizeof value);
    return value;
}

// Centring leaves the frame at the corner when it is the larger one.
int CentreOffset(int client, int frame)
{
    return client > frame ? (client - frame) / 2 : 0;
}
}

unsigned FramePeriod(long endTimeMs, unsigned frameCount, std::uint32_t flags)
{
    if (frameCount == 0 || endTimeMs < 0)
        return 0;
    unsigned period = static_cast<unsigned>(endTimeMs) / frameCount;
    if (flags & ANIM_SLOW)
        return period * 2;
    if (flags & ANIM_FAST)
        return period / 2;
    return period;
}

FramePlacement PlaceFrame(std::uint32_t flags, int clientWidth, int clientHeight, int frameWidth, int frameHeight)
{
    FramePlacement placement;
    placement.drawWidth = clientWidth;
    placement.drawHeight = clientHeight;
    int x0 = CentreOffset(clientWidth, frameWidth);
    int y0 = CentreOffset(clientHeight, frameHeight);
    if (flags & ANIM_CENTER) {
        placement = {frameWidth, frameHeight, x0, y0};
    } else if (!(flags & ANIM_NORESIZE)) {
        placement.drawWidth = frameWidth;
        placement.drawHeight = frameHeight;
        placement.resizeToFrame = true;
        if (flags & ANIM_KEEPCENTER) {
            placement.shiftX = x0;
            placement.shiftY = y0;
        }
    }
    return placement;
}

// BITMAPINFOHEADER: biSize at 0, biBitCount at 14, biClrUsed at 32; the
// palette (blue, green, red, reserved) follows the header.
std::uint32_t KeyColourOfFrame(const unsigned char* packedBitmap)
{
    if (!packedBitmap || ReadField<std::uint16_t>(packedBitmap, 14) != 8)
        return kPureGreen;
    std::uint32_t headerSize = ReadField<std::uint32_t>(packedBitmap, 0);
    std::uint32_t colours = ReadField<std::uint32_t>(packedBitmap, 32);
    if (colours == 0 || colours > 256)
        colours = 256;
    unsigned char index = packedBitmap[headerSize + colours * 4];
    const unsigned char* entry = packedBitmap + headerSize + index * 4;
    return entry[2] | (entry[1] << 8) | (static_cast<std::uint32_t>(entry[0]) << 16);
}

std::string TempClipName(unsigned long tick)
{
    char name[32];
    std::snprintf(name, sizeof name, "QTX%lX.AVI", tick);
    return name;
}
