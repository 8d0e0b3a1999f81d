#include <gtest/gtest.h>
#include <cstdint>
#include <vector>
#include "skin/ShadePixels.h"

TEST(ShadePixels, ChannelsClampAtBothEnds)
{
    EXPECT_EQ(ShadeChannel(240, 30, false), 255);
    EXPECT_EQ(ShadeChannel(10, 30, false), 40);
    EXPECT_EQ(ShadeChannel(20, 30, true), 0);
    EXPECT_EQ(ShadeChannel(200, 30, true), 170);
    EXPECT_EQ(ShadeChannel(0, 255, false), 255);
    EXPECT_EQ(ShadeChannel(255, 255, true), 0);
}

TEST(ShadePixels, TrueColourShadesEveryByteIncludingPadding)
{
    // One row of one 24-bit pixel: three channels and one padding byte.
    std::vector<std::uint8_t> row{240, 10, 128, 0};
    EXPECT_TRUE(ShadePixels(row.data(), row.size(), 24, 30, false));
    EXPECT_EQ(row, (std::vector<std::uint8_t>{255, 40, 158, 30}));
    std::vector<std::uint8_t> pixel{20, 100, 255, 7};
    EXPECT_TRUE(ShadePixels(pixel.data(), pixel.size(), 32, 30, true));
    EXPECT_EQ(pixel, (std::vector<std::uint8_t>{0, 70, 225, 0}));
}

TEST(ShadePixels, HighColourWorksOnFiveFiveFiveWords)
{
    // Pure red darkened by 30: 248 - 30 = 218 keeps 5-bit red 27.
    EXPECT_EQ(ShadeWord555(0x7C00, 30, true), 27 << 10);
    // Lightening saturates each channel separately.
    EXPECT_EQ(ShadeWord555(0x7C00, 30, false), 0x7C00 | (3 << 5) | 3);
    // Green 16 (128) + 30 = 158 keeps 19; blue 1 (8) + 30 = 38 keeps 4; red 0 + 30 keeps 3.
    EXPECT_EQ(ShadeWord555(static_cast<std::uint16_t>((16 << 5) | 1), 30, false), (3 << 10) | (19 << 5) | 4);
    // Darkening: green 128 - 30 = 98 keeps 12; blue 8 - 30 clamps to 0.
    EXPECT_EQ(ShadeWord555(static_cast<std::uint16_t>((16 << 5) | 1), 30, true), 12 << 5);
    // The unused top bit does not survive.
    EXPECT_EQ(ShadeWord555(0x8000, 0, false), 0);
}

TEST(ShadePixels, HighColourBufferIsLittleEndianAndIgnoresAnOddTail)
{
    std::vector<std::uint8_t> words{0x00, 0x7C, 0xFF};
    EXPECT_TRUE(ShadePixels(words.data(), words.size(), 16, 30, true));
    EXPECT_EQ(words, (std::vector<std::uint8_t>{0x00, 0x6C, 0xFF}));
}

TEST(ShadePixels, PaletteDepthsAreLeftAlone)
{
    std::vector<std::uint8_t> indexes{1, 2, 3, 4};
    EXPECT_FALSE(ShadePixels(indexes.data(), indexes.size(), 8, 30, false));
    EXPECT_FALSE(ShadePixels(indexes.data(), indexes.size(), 4, 30, false));
    EXPECT_EQ(indexes, (std::vector<std::uint8_t>{1, 2, 3, 4}));
}
