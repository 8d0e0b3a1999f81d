#include <gtest/gtest.h>
#include <vector>
#include "skin/SkinGeometry.h"

TEST(SkinGeometry, ShapeOfATallWindow)
{
    auto points = WindowShapePoints(0, 0, 260, 500);
    const std::array<SkinPoint, 9> expected{{
        {30, 0}, {230, 0}, {260, 30}, {245, 470}, {178, 500}, {82, 500}, {15, 470}, {0, 30}, {30, 0}}};
    EXPECT_EQ(points, expected);
}

TEST(SkinGeometry, ShapeFollowsAnOffsetRectangle)
{
    auto points = WindowShapePoints(-4, 10, 196, 310);
    EXPECT_EQ(points[0], (SkinPoint{26, 10}));
    EXPECT_EQ(points[3], (SkinPoint{181, 280}));
    EXPECT_EQ(points[5], (SkinPoint{78, 310}));
    EXPECT_EQ(points[8], points[0]);
}

TEST(SkinGeometry, TilesCoverTheAreaRowByRow)
{
    std::vector<SkinPoint> expected{{0, 0}, {217, 0}, {434, 0}, {0, 377}, {217, 377}, {434, 377}};
    EXPECT_EQ(TileOrigins(500, 400, 217, 377), expected);
    // An exact fit needs no partial tiles.
    EXPECT_EQ(TileOrigins(434, 377, 217, 377), (std::vector<SkinPoint>{{0, 0}, {217, 0}}));
    EXPECT_EQ(TileOrigins(100, 100, 217, 377), (std::vector<SkinPoint>{{0, 0}}));
}

TEST(SkinGeometry, EmptyImagesOrAreasGetNoTiles)
{
    EXPECT_TRUE(TileOrigins(500, 400, 0, 377).empty());
    EXPECT_TRUE(TileOrigins(500, 400, 217, -1).empty());
    EXPECT_TRUE(TileOrigins(0, 400, 217, 377).empty());
}

TEST(SkinGeometry, CentringTruncatesTowardZero)
{
    EXPECT_EQ(CentredOrigin(500, 400, 217, 377), (SkinPoint{141, 11}));
    // Larger than the area: negative, rounded toward zero (-58.5 -> -58).
    EXPECT_EQ(CentredOrigin(100, 100, 217, 377), (SkinPoint{-58, -138}));
}

TEST(SkinGeometry, OnlyClientHitsBecomeCaptionHits)
{
    EXPECT_EQ(CaptionHitTest(1), 2);
    for (long hit : {0L, 2L, 3L, 10L, 17L, -1L, -2L})
        EXPECT_EQ(CaptionHitTest(hit), hit);
}
