#include <gtest/gtest.h>
#include <windows.h>
#include <utility>
#include "framework/CBitmap.h"
#include "framework/CBrush.h"
#include "framework/CDC.h"
#include "framework/CSelectGuard.h"
#include "tests/GdiObjectCount.h"

TEST(GdiOwners, ObjectsAreDeletedOnceWhateverPathTheyTake)
{
    ASSERT_TRUE(GdiCounterCounts());
    CDC().CreateCompatibleDC(nullptr);  // a process's first DC leaves objects that stay
    DWORD before = GdiObjectCount();
    {
        CBrush moved;
        {
            CBrush brush;
            ASSERT_TRUE(brush.CreateSolidBrush(RGB(1, 2, 3)));
            moved = std::move(brush);
            EXPECT_EQ(brush.GetSafeHandle(), nullptr);
        }
        EXPECT_NE(moved.GetSafeHandle(), nullptr);
        moved.CreateSolidBrush(RGB(4, 5, 6));  // replaces and deletes the first
        CDC memory;
        ASSERT_TRUE(memory.CreateCompatibleDC(nullptr));
    }
    EXPECT_EQ(GdiObjectCount(), before);
}

TEST(GdiOwners, SelectGuardPutsTheDisplacedObjectBack)
{
    CDC memory;
    memory.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(memory, 4, 4);
    HGDIOBJ original = ::GetCurrentObject(memory, OBJ_BITMAP);
    {
        CSelectGuard select(memory, bitmap);
        EXPECT_EQ(::GetCurrentObject(memory, OBJ_BITMAP), bitmap.GetSafeHandle());
    }
    EXPECT_EQ(::GetCurrentObject(memory, OBJ_BITMAP), original);
}
