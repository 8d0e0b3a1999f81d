#include <gtest/gtest.h>
#include "skin/DisplayScale.h"
#include "skin/SkinGeometry.h"

namespace {
Pixels Picture(int width, int height, std::vector<std::uint32_t> data)
{
    return Pixels{width, height, std::move(data)};
}
}

TEST(DisplayScale, TheLargerSetServesEveryScaleAFewPerCentAbove96)
{
    struct Case {
        int dpi;
        int set;
    };
    for (Case c : {Case{72, 1}, Case{96, 1}, Case{98, 1}, Case{99, 2}, Case{120, 2}, Case{144, 2}, Case{192, 2},
                   Case{288, 2}})
        EXPECT_EQ(ArtSetFor(c.dpi), c.set) << c.dpi;
}

TEST(DisplayScale, LengthsScaleToTheNearestPixelHalvesUp)
{
    struct Case {
        int length;
        int dpi;
        int scaled;
    };
    for (Case c : {Case{13, 96, 13}, Case{17, 120, 21}, Case{13, 120, 16}, Case{13, 144, 20}, Case{17, 144, 26},
                   Case{223, 144, 335}, Case{27, 144, 41}, Case{223, 192, 446}, Case{0, 192, 0}, Case{1, 143, 1},
                   Case{1, 144, 2}})
        EXPECT_EQ(ScaleToDpi(c.length, c.dpi), c.scaled) << c.length << " at " << c.dpi;
    EXPECT_EQ(OutlineBandWidth(96), 1);
    EXPECT_EQ(OutlineBandWidth(120), 1);
    EXPECT_EQ(OutlineBandWidth(144), 2);
    EXPECT_EQ(OutlineBandWidth(192), 2);
    EXPECT_EQ(OutlineBandWidth(72), 1);
}

TEST(DisplayScale, ControlsSizedByTheirArtGrowOnlyBeyondTheTemplatesOwnResolutions)
{
    EXPECT_EQ(ControlArtDpi(72), 96);
    EXPECT_EQ(ControlArtDpi(96), 96);
    EXPECT_EQ(ControlArtDpi(120), 96);
    EXPECT_EQ(ControlArtDpi(121), 121);
    EXPECT_EQ(ControlArtDpi(192), 192);
    // The 96-dpi title just fits at its corner; the 192-dpi one would run past the edge.
    EXPECT_EQ(ArtControlLeft(33, 223, 258), 33);
    EXPECT_EQ(ArtControlLeft(33, 223, 256), 33);
    EXPECT_EQ(ArtControlLeft(33, 224, 256), 16);
    EXPECT_EQ(ArtControlLeft(84, 446, 510), 32);
    EXPECT_EQ(ArtControlLeft(10, 300, 290), -5) << "wider than the client: centred all the same";
}

TEST(DisplayScale, TheOutlineScalesWithTheFace)
{
    EXPECT_EQ(WindowShapePoints(0, 0, 260, 500, 96), WindowShapePoints(0, 0, 260, 500));
    const std::array<SkinPoint, 9> doubled{{
        {60, 0}, {540, 0}, {600, 60}, {570, 810}, {436, 870}, {164, 870}, {30, 810}, {0, 60}, {60, 0}}};
    EXPECT_EQ(WindowShapePoints(0, 0, 600, 870, 192), doubled);
    // 30 x 1.5 = 45, 15 x 1.5 = 22.5 -> 23, 82 x 1.5 = 123.
    auto points = WindowShapePoints(0, 0, 450, 650, 144);
    EXPECT_EQ(points[1], (SkinPoint{405, 0}));
    EXPECT_EQ(points[3], (SkinPoint{427, 605}));
    EXPECT_EQ(points[4], (SkinPoint{327, 650}));
}

TEST(DisplayScale, HalvingAveragesEachBlockOfFour)
{
    Pixels source = Picture(4, 2, {0x000000, 0xFFFFFF, 0x102030, 0x102030,
                                   0xFFFFFF, 0x000000, 0x304050, 0x102031});
    Pixels half = AreaAverage(source, 2, 1);
    ASSERT_EQ(half.width, 2);
    ASSERT_EQ(half.height, 1);
    // 510 / 4 = 127.5 rounds up; blue (0x30 + 0x30 + 0x50 + 0x31) / 4 = 56.25 -> 0x38.
    EXPECT_EQ(half.data, (std::vector<std::uint32_t>{0x808080, 0x182838}));
}

TEST(DisplayScale, AFractionalScaleWeighsEachSourcePixelByTheAreaItCovers)
{
    // Three pixels into two: each result pixel covers one and a half.
    Pixels source = Picture(3, 1, {0x000000, 0x000090, 0x0000F0});
    Pixels result = AreaAverage(source, 2, 1);
    // (0 + 0x90 / 2) / 1.5 = 48; (0x90 / 2 + 0xF0) / 1.5 = 208.
    EXPECT_EQ(result.data, (std::vector<std::uint32_t>{0x000030, 0x0000D0}));
    EXPECT_EQ(AreaAverage(source, 3, 1).data, source.data) << "the same size changes nothing";
    EXPECT_EQ(AreaAverage(source, 1, 1).data, (std::vector<std::uint32_t>{0x000080}));
}

TEST(DisplayScale, NothingComesOfAnEmptyPictureOrSize)
{
    EXPECT_TRUE(AreaAverage(Pixels{}, 2, 2).data.empty());
    EXPECT_TRUE(AreaAverage(Picture(1, 1, {0x123456}), 0, 1).data.empty());
    EXPECT_TRUE(AreaAverage(Picture(1, 1, {0x123456}), 1, -1).data.empty());
}

TEST(DisplayScale, KeyedArtKeepsItsKeyWhereKeyCoversHalfAndBlendsWithTheGroundElsewhere)
{
    const std::uint32_t key = 0xFF00FF, ground = 0x101010, lamp = 0x30F030;
    Pixels source = Picture(6, 2, {key, key, key, lamp, lamp, lamp,
                                   key, lamp, key, lamp, lamp, lamp});
    Pixels result = AreaAverageKeyed(source, 3, 1, key, ground);
    // Block 1: three keys of four; block 2: two of four (half: still key);
    // block 3: no key.
    EXPECT_EQ(result.data, (std::vector<std::uint32_t>{key, key, lamp}));
    Pixels edge = AreaAverageKeyed(Picture(2, 2, {key, lamp, lamp, lamp}), 1, 1, key, ground);
    // One key of four becomes ground in the mean: (0x10 + 3 x 0x30, 0x10 + 3 x 0xF0, ...) / 4.
    EXPECT_EQ(edge.data, (std::vector<std::uint32_t>{0x28B828}));
}
