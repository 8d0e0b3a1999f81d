#include <gtest/gtest.h>
#include "catalogue/VisPlugin.h"
#include "listview/DragRules.h"
#include "listview/RowState.h"

TEST(DragRules, ThePointerPastTheRowsMiddleDropsBelow)
{
    // A row from 34 to 51: its middle is 42.
    EXPECT_FALSE(IsDropBelow(34, 51, 34));
    EXPECT_FALSE(IsDropBelow(34, 51, 42));
    EXPECT_TRUE(IsDropBelow(34, 51, 43));
    EXPECT_TRUE(IsDropBelow(34, 51, 50));
}

TEST(DragRules, OnlyAPointerOutsideTheRowsScrolls)
{
    EXPECT_EQ(AutoScrollDirection(0, 200, -1), SCROLL_UP);
    EXPECT_EQ(AutoScrollDirection(0, 200, 0), SCROLL_NONE);
    EXPECT_EQ(AutoScrollDirection(0, 200, 200), SCROLL_NONE);
    EXPECT_EQ(AutoScrollDirection(0, 200, 201), SCROLL_DOWN);
    // Over a header that covers the top of the client area.
    EXPECT_EQ(AutoScrollDirection(20, 200, 10), SCROLL_UP);
}

TEST(RowState, FontFollowsTheRecord)
{
    EXPECT_EQ(RowFontFor(VIS_ENABLED), ROW_FONT_LIST);
    EXPECT_EQ(RowFontFor(VIS_DISABLED_ON_DISK), ROW_FONT_LIST);
    EXPECT_EQ(RowFontFor(VIS_ENABLED | VIS_CURRENT), ROW_FONT_BOLD);
    EXPECT_EQ(RowFontFor(VIS_ENABLED | VIS_DISABLED_ON_DISK), ROW_FONT_STRIKE);
    // Current and struck out at once: struck out wins.
    EXPECT_EQ(RowFontFor(VIS_ENABLED | VIS_DISABLED_ON_DISK | VIS_CURRENT), ROW_FONT_STRIKE);
}

TEST(RowState, LampTogglesImageAndEnableBitTogether)
{
    int image = IMG_ENABLED;
    unsigned long flags = VIS_ENABLED;
    ASSERT_TRUE(ToggleLampState(5, image, flags));
    EXPECT_EQ(image, IMG_DISABLED);
    EXPECT_EQ(flags, 0ul);
    ASSERT_TRUE(ToggleLampState(5, image, flags));
    EXPECT_EQ(image, IMG_ENABLED);
    EXPECT_EQ(flags, static_cast<unsigned long>(VIS_ENABLED));

    // Disabled on disk stays as it was.
    image = IMG_DISABLED;
    flags = VIS_DISABLED_ON_DISK;
    ASSERT_TRUE(ToggleLampState(4, image, flags));
    EXPECT_EQ(flags, static_cast<unsigned long>(VIS_ENABLED | VIS_DISABLED_ON_DISK));
}

TEST(RowState, BuiltInAndCurrentRowsKeepTheirLamp)
{
    int image = IMG_BUILTIN;
    unsigned long flags = VIS_ENABLED;
    EXPECT_FALSE(ToggleLampState(3, image, flags));
    EXPECT_EQ(image, IMG_BUILTIN);
    EXPECT_EQ(flags, static_cast<unsigned long>(VIS_ENABLED));

    image = IMG_ENABLED;
    flags = VIS_ENABLED | VIS_CURRENT;
    EXPECT_FALSE(ToggleLampState(7, image, flags));
    EXPECT_EQ(image, IMG_ENABLED);
    EXPECT_EQ(flags, static_cast<unsigned long>(VIS_ENABLED | VIS_CURRENT));
}
