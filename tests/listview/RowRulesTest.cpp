#include <gtest/gtest.h>
#include "catalogue/VisPlugin.h"
#include "listview/DragRules.h"
#include "listview/RowAccess.h"
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

TEST(RowState, LampFollowsTheEnableBitOnPluginRowsOnly)
{
    EXPECT_EQ(LampImage(0, VIS_ENABLED), IMG_BUILTIN);
    EXPECT_EQ(LampImage(3, 0), IMG_BUILTIN);
    EXPECT_EQ(LampImage(4, VIS_ENABLED), IMG_ENABLED);
    EXPECT_EQ(LampImage(4, VIS_DISABLED_ON_DISK), IMG_DISABLED);
    EXPECT_EQ(LampImage(9, VIS_ENABLED | VIS_DISABLED_ON_DISK | VIS_CURRENT), IMG_ENABLED);
    EXPECT_EQ(LampImage(9, VIS_CURRENT | VIS_ADDED), IMG_DISABLED);
}

TEST(RowState, LampTogglesTheEnableBitAlone)
{
    unsigned long flags = VIS_ENABLED | VIS_ADDED;
    ASSERT_TRUE(ToggleLampState(5, flags));
    EXPECT_EQ(flags, static_cast<unsigned long>(VIS_ADDED));
    ASSERT_TRUE(ToggleLampState(5, flags));
    EXPECT_EQ(flags, static_cast<unsigned long>(VIS_ENABLED | VIS_ADDED));

    // Disabled on disk stays as it was.
    flags = VIS_DISABLED_ON_DISK;
    ASSERT_TRUE(ToggleLampState(4, flags));
    EXPECT_EQ(flags, static_cast<unsigned long>(VIS_ENABLED | VIS_DISABLED_ON_DISK));
}

TEST(RowState, BuiltInAndCurrentRowsKeepTheirLamp)
{
    unsigned long flags = VIS_ENABLED;
    EXPECT_FALSE(ToggleLampState(3, flags));
    EXPECT_EQ(flags, static_cast<unsigned long>(VIS_ENABLED));

    flags = VIS_ENABLED | VIS_CURRENT;
    EXPECT_FALSE(ToggleLampState(7, flags));
    EXPECT_EQ(flags, static_cast<unsigned long>(VIS_ENABLED | VIS_CURRENT));
}

TEST(RowAccess, StateTellsTheLampTheSelectionTheFocusAndSight)
{
    const unsigned long kAlways = ACC_STATE_SELECTABLE | ACC_STATE_FOCUSABLE;
    struct Case {
        unsigned long flags;
        bool selected, focused, visible;
        unsigned long state;
    } cases[] = {
        {VIS_ENABLED, false, false, true, kAlways | ACC_STATE_CHECKED},
        {0, false, false, true, kAlways},
        {VIS_DISABLED_ON_DISK, true, false, true, kAlways | ACC_STATE_SELECTED},
        {VIS_ENABLED | VIS_DISABLED_ON_DISK, false, true, true, kAlways | ACC_STATE_CHECKED | ACC_STATE_FOCUSED},
        {VIS_ENABLED | VIS_CURRENT | VIS_NO_NAME, true, true, false,
         kAlways | ACC_STATE_CHECKED | ACC_STATE_SELECTED | ACC_STATE_FOCUSED | ACC_STATE_OFFSCREEN},
        {VIS_ADDED | VIS_NO_NAME, false, false, false, kAlways | ACC_STATE_OFFSCREEN},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RowAccessState(c.flags, c.selected, c.focused, c.visible), c.state) << "flags " << c.flags;
}

TEST(RowAccess, DescriptionNamesTheCurrentVisualAndWhyAPluginCannotBeLoaded)
{
    const std::string current = "Current visual.", problem = "Cannot be used: is damaged or cut short.";
    EXPECT_EQ(RowAccessDescription(VIS_ENABLED, current, problem), "");
    EXPECT_EQ(RowAccessDescription(VIS_ENABLED | VIS_CURRENT, current, ""), current);
    EXPECT_EQ(RowAccessDescription(VIS_ENABLED | VIS_NO_NAME, current, problem), problem);
    EXPECT_EQ(RowAccessDescription(VIS_ENABLED | VIS_CURRENT | VIS_NO_NAME, current, problem), current + " " + problem);
    EXPECT_EQ(RowAccessDescription(VIS_NO_NAME, current, ""), "") << "no cause to tell";
}
