#pragma once
#include <cstdint>
#include <string>

// How CAnimationWnd::Open treats a clip.
enum : std::uint32_t {
    ANIM_SLOW = 0x01,         // frame period doubled
    ANIM_FAST = 0x02,         // frame period halved (unless ANIM_SLOW)
    ANIM_CENTER = 0x04,       // window keeps its size; frame at its own size, centred
    ANIM_NORESIZE = 0x08,     // window keeps its size; frame stretched over it
    ANIM_KEEPCENTER = 0x10,   // after sizing to the frame, stay centred on the old place
    ANIM_AUTOPLAY = 0x20,     // start looping at once
    ANIM_SOLIDBACK = 0x40,    // system window colour behind the clip, not the parent's pixels
    ANIM_KEYFROMFRAME = 0x80, // transparent colour from the first frame's first pixel
};

// Milliseconds per frame for a clip lasting endTimeMs over frameCount
// frames; 0 for a clip without frames, which cannot be played.
unsigned FramePeriod(long endTimeMs, unsigned frameCount, std::uint32_t flags);

// Where and how large the frame is drawn inside the window's client area,
// and whether the window takes the frame's size first.
struct FramePlacement {
    int drawWidth = 0;
    int drawHeight = 0;
    int offsetX = 0;
    int offsetY = 0;
    bool resizeToFrame = false;
    // With ANIM_KEEPCENTER: how far the resized window moves.
    int shiftX = 0;
    int shiftY = 0;
};
FramePlacement PlaceFrame(std::uint32_t flags, int clientWidth, int clientHeight, int frameWidth, int frameHeight);

// The colour (0x00BBGGRR) of the first pixel of a decoded frame, a packed
// bitmap (header, palette, pixels); pure green for anything but 8 bits per
// pixel.
std::uint32_t KeyColourOfFrame(const unsigned char* packedBitmap);

// The clip's temporary file name for a tick count: "QTX" + upper-case hex + ".AVI".
std::string TempClipName(unsigned long tick);
