#include <gtest/gtest.h>
#include <cstring>
#include <vector>
#include "animation/AnimationLayout.h"

TEST(FramePeriod, OurClipShowsAFrameEvery145Milliseconds)
{
    // 20 frames at 6.89 per second end after 2902 ms.
    EXPECT_EQ(FramePeriod(2902, 20, 0), 145u);
    EXPECT_EQ(FramePeriod(2902, 20, ANIM_SLOW), 290u);
    EXPECT_EQ(FramePeriod(2902, 20, ANIM_FAST), 72u);
    EXPECT_EQ(FramePeriod(2902, 20, ANIM_SLOW | ANIM_FAST), 290u);
}

TEST(FramePeriod, AClipWithoutFramesHasNoPeriod)
{
    EXPECT_EQ(FramePeriod(2902, 0, 0), 0u);
    EXPECT_EQ(FramePeriod(0, 0, ANIM_FAST), 0u);
}

TEST(PlaceFrame, WithoutFlagsTheWindowTakesTheFrameSize)
{
    FramePlacement placement = PlaceFrame(ANIM_AUTOPLAY | ANIM_KEYFROMFRAME, 41, 73, 50, 120);
    EXPECT_TRUE(placement.resizeToFrame);
    EXPECT_EQ(placement.drawWidth, 50);
    EXPECT_EQ(placement.drawHeight, 120);
    EXPECT_EQ(placement.offsetX, 0);
    EXPECT_EQ(placement.offsetY, 0);
    EXPECT_EQ(placement.shiftX, 0);
    EXPECT_EQ(placement.shiftY, 0);
}

TEST(PlaceFrame, CenterDrawsTheFrameAtItsSizeInTheMiddle)
{
    FramePlacement larger = PlaceFrame(ANIM_CENTER, 101, 200, 50, 120);
    EXPECT_FALSE(larger.resizeToFrame);
    EXPECT_EQ(larger.drawWidth, 50);
    EXPECT_EQ(larger.drawHeight, 120);
    EXPECT_EQ(larger.offsetX, 25);
    EXPECT_EQ(larger.offsetY, 40);

    // A client smaller than the frame puts the frame at the corner.
    FramePlacement smaller = PlaceFrame(ANIM_CENTER, 40, 60, 50, 120);
    EXPECT_EQ(smaller.offsetX, 0);
    EXPECT_EQ(smaller.offsetY, 0);
}

TEST(PlaceFrame, NoResizeStretchesTheFrameOverTheClient)
{
    FramePlacement placement = PlaceFrame(ANIM_NORESIZE | ANIM_KEEPCENTER, 40, 60, 50, 120);
    EXPECT_FALSE(placement.resizeToFrame);
    EXPECT_EQ(placement.drawWidth, 40);
    EXPECT_EQ(placement.drawHeight, 60);
    EXPECT_EQ(placement.shiftX, 0);
}

TEST(PlaceFrame, KeepCenterMovesTheResizedWindowOntoTheOldCentre)
{
    FramePlacement placement = PlaceFrame(ANIM_KEEPCENTER, 90, 200, 50, 120);
    EXPECT_TRUE(placement.resizeToFrame);
    EXPECT_EQ(placement.shiftX, 20);
    EXPECT_EQ(placement.shiftY, 40);
    EXPECT_EQ(placement.offsetX, 0);
}

namespace {
// A packed bitmap: 40-byte header, palette of colours entries, then pixels.
std::vector<unsigned char> Frame(unsigned short bitsPerPixel, unsigned colours, unsigned char firstPixel)
{
    std::vector<unsigned char> bytes(40 + 256 * 4 + 16, 0);
    unsigned headerSize = 40;
    std::memcpy(&bytes[0], &headerSize, 4);
    std::memcpy(&bytes[14], &bitsPerPixel, 2);
    std::memcpy(&bytes[32], &colours, 4);
    unsigned char* palette = &bytes[40];
    palette[18 * 4 + 1] = 0xFF;                         // entry 18: green
    palette[5 * 4 + 2] = 0xFF;                          // entry 5: red
    palette[7 * 4 + 0] = 0x80;                          // entry 7: dark blue
    bytes[40 + (colours ? colours : 256) * 4] = firstPixel;
    return bytes;
}
}

TEST(KeyColourOfFrame, IsThePaletteColourOfTheFirstPixel)
{
    EXPECT_EQ(KeyColourOfFrame(Frame(8, 256, 18).data()), 0x0000FF00u);
    EXPECT_EQ(KeyColourOfFrame(Frame(8, 20, 5).data()), 0x000000FFu);
    EXPECT_EQ(KeyColourOfFrame(Frame(8, 0, 7).data()), 0x00800000u);
}

TEST(KeyColourOfFrame, IsPureGreenForFramesWithoutPalette)
{
    EXPECT_EQ(KeyColourOfFrame(Frame(24, 0, 5).data()), 0x0000FF00u);
    EXPECT_EQ(KeyColourOfFrame(nullptr), 0x0000FF00u);
}
