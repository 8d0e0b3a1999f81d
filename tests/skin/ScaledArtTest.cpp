#include <gtest/gtest.h>
#include <windows.h>
#include "framework/CBitmap.h"
#include "framework/CWinApp.h"
#include "skin/ScaledArt.h"

namespace {
const UINT kLamp = 131, kLargeLamp = 151;
const SIZE kLampSize{13, 17};
const COLORREF kMagenta = RGB(255, 0, 255);

Pixels LampAt(int dpi)
{
    CBitmap lamp;
    lamp.Attach(LoadKeyedArtForDpi(kLamp, kLargeLamp, kLampSize, dpi, kMagenta, RGB(20, 19, 38)));
    return ReadPixels(lamp);
}

Pixels Resource(UINT id)
{
    CBitmap art;
    art.LoadBitmap(AfxGetResourceHandle(), id);
    return ReadPixels(art);
}
}

TEST(ScaledArt, PixelsComeBackFromTheBitmapMadeOfThem)
{
    Pixels pixels{3, 2, {0x102030, 0xFF00FF, 0x000000, 0xFFFFFF, 0x00FF00, 0x0000FF}};
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.Attach(CreateBitmapOfPixels(pixels)));
    Pixels back = ReadPixels(bitmap);
    EXPECT_EQ(back.width, 3);
    EXPECT_EQ(back.height, 2);
    EXPECT_EQ(back.data, pixels.data);
    EXPECT_EQ(CreateBitmapOfPixels(Pixels{}), nullptr);
    EXPECT_TRUE(ReadPixels(nullptr).data.empty());
}

TEST(ScaledArt, EachScaleDrawsTheArtMadeForItOrTheLargerAveragedDown)
{
    Pixels small = Resource(kLamp), large = Resource(kLargeLamp);
    ASSERT_EQ(large.width, 26);
    EXPECT_EQ(LampAt(96).data, small.data);
    EXPECT_EQ(LampAt(192).data, large.data);
    Pixels between = LampAt(144);
    ASSERT_EQ(between.width, 20);
    ASSERT_EQ(between.height, 26);
    EXPECT_EQ(between.data.front(), 0xFF00FFu) << "the ground stays the mask colour";
    EXPECT_NE(between.data[13 * 20 + 10], 0xFF00FFu) << "the lamp's middle";
}
