#include <gtest/gtest.h>
#include <windows.h>
#include "framework/CWnd.h"
#include "skin/CSkinBackground.h"
#include "tests/skin/SkinTestWindows.h"

namespace {
// Opens the protected state to the tests.
class TestSkin : public CSkinBackground {
public:
    using CSkinBackground::m_bkColor;
    using CSkinBackground::m_darken;
    using CSkinBackground::m_effect;
    using CSkinBackground::m_level;
    using CSkinBackground::m_stale;
    using CSkinBackground::m_textColor;

    COLORREF Pixel(int x, int y) const { return ::GetPixel(*m_memDC, x, y); }
    bool HasCapture() const { return m_memDC->m_hDC != nullptr; }
};

// A plain child window as the skinned control.
class Control : public CWnd {
public:
    Control(HWND parent, int x, int y, int width, int height, DWORD style = 0, DWORD exStyle = 0)
    {
        SubclassWindow(CreateChild(parent, "STATIC", x, y, width, height, style, exStyle));
    }
    ~Control() override
    {
        HWND wnd = m_hWnd;
        UnsubclassWindow();
        ::DestroyWindow(wnd);
    }
};

const COLORREF kParentColor = RGB(0x66, 0x99, 0x33);
const COLORREF kStipple = RGB(255, 0, 255);
}

TEST(CSkinBackground, StartsStaleWithStippleAndSystemColours)
{
    TestSkin skin;
    EXPECT_TRUE(skin.m_stale);
    EXPECT_EQ(skin.m_effect, SKIN_STIPPLE);
    EXPECT_EQ(skin.m_level, 50);
    EXPECT_FALSE(skin.m_darken);
    EXPECT_EQ(skin.m_bkColor, ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(skin.m_textColor, ::GetSysColor(COLOR_WINDOWTEXT));
}

TEST(CSkinBackground, LevelSignChoosesDarkeningAndIsCappedAt255)
{
    TestSkin skin;
    EXPECT_TRUE(skin.SetLevel(-40));
    EXPECT_TRUE(skin.m_darken);
    EXPECT_EQ(skin.m_level, 40);
    EXPECT_TRUE(skin.SetLevel(300));
    EXPECT_FALSE(skin.m_darken);
    EXPECT_EQ(skin.m_level, 255);
    EXPECT_TRUE(skin.SetLevel(-300));
    EXPECT_TRUE(skin.m_darken);
    EXPECT_EQ(skin.m_level, 255);
}

TEST(CSkinBackground, LevelZeroTurnsShadeIntoCopyButIsStoredOtherwise)
{
    ASSERT_TRUE(CSkinBackground::DisplayHasHighColor());
    TestSkin skin;
    skin.SetLevel(-20);
    ASSERT_TRUE(skin.SetEffect(SKIN_SHADE));
    EXPECT_FALSE(skin.SetLevel(0));
    EXPECT_EQ(skin.m_effect, SKIN_COPY);
    EXPECT_EQ(skin.m_level, 20);
    EXPECT_TRUE(skin.m_darken);

    EXPECT_TRUE(skin.SetLevel(0));
    EXPECT_EQ(skin.m_level, 0);
    EXPECT_FALSE(skin.m_darken);
}

TEST(CSkinBackground, ApplySkinSetsEffectBeforeLevel)
{
    TestSkin skin;
    int effect = SKIN_SHADE;
    short level = 0;
    COLORREF text = 0x00FF8000;
    EXPECT_TRUE(skin.ApplySkin(&effect, &level, nullptr, &text));
    EXPECT_EQ(skin.m_effect, SKIN_COPY);
    EXPECT_EQ(skin.m_textColor, text);
    EXPECT_EQ(skin.m_bkColor, ::GetSysColor(COLOR_BTNFACE));

    level = 30;
    EXPECT_TRUE(skin.ApplySkin(&effect, &level, nullptr, nullptr));
    EXPECT_EQ(skin.m_effect, SKIN_SHADE);
    EXPECT_EQ(skin.m_level, 30);
    EXPECT_TRUE(skin.ApplySkin(nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(skin.m_effect, SKIN_SHADE);
}

TEST(CSkinBackground, SettersReturnThePreviousColourAndLeaveTheCaptureAlone)
{
    TestSkin skin;
    skin.m_stale = FALSE;
    EXPECT_EQ(skin.SetBkColor(RGB(1, 2, 3)), ::GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(skin.SetBkColor(RGB(4, 5, 6)), RGB(1, 2, 3));
    EXPECT_EQ(skin.SetTextColor(RGB(7, 8, 9)), ::GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_TRUE(skin.SetEffect(SKIN_COPY));
    EXPECT_FALSE(skin.m_stale);
}

TEST(CSkinBackground, OnlyMovesSizesAndZOrderMakeTheCaptureStale)
{
    TestSkin skin;
    WINDOWPOS pos{};
    const UINT keeping[] = {SWP_SHOWWINDOW, SWP_HIDEWINDOW, SWP_FRAMECHANGED,
                            SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE};
    for (UINT flags : keeping) {
        skin.m_stale = FALSE;
        pos.flags = flags;
        skin.OnWindowPosChanging(&pos);
        EXPECT_FALSE(skin.m_stale) << flags;
    }
    const UINT marking[] = {SWP_NOZORDER | SWP_NOSIZE, SWP_NOZORDER | SWP_NOMOVE, SWP_NOMOVE | SWP_NOSIZE};
    for (UINT flags : marking) {
        skin.m_stale = FALSE;
        pos.flags = flags;
        skin.OnWindowPosChanging(&pos);
        EXPECT_TRUE(skin.m_stale) << flags;
    }
}

TEST(CSkinBackground, StippleKeepsEvenPixelsAndColoursOddOnes)
{
    SolidParent parent(kParentColor, 200, 120);
    Control control(parent, 13, 21, 40, 20);
    TestSkin skin;
    skin.SetBkColor(kStipple);
    ASSERT_TRUE(skin.UpdateBackground(&control));
    EXPECT_EQ(skin.Pixel(0, 0), kParentColor);
    EXPECT_EQ(skin.Pixel(1, 0), kStipple);
    EXPECT_EQ(skin.Pixel(0, 1), kStipple);
    EXPECT_EQ(skin.Pixel(1, 1), kParentColor);
    EXPECT_EQ(skin.Pixel(38, 19), kStipple);
    EXPECT_EQ(skin.Pixel(39, 19), kParentColor);
}

TEST(CSkinBackground, CopyTakesTheParentPixelsAtTheClientCorner)
{
    SolidParent parent(kParentColor, 200, 120);
    // A marker pixel where the control's client area begins, inside its edge.
    Control control(parent, 50, 30, 40, 20, 0, WS_EX_CLIENTEDGE);
    HDC dc = ::GetDC(parent);
    int edgeX = ::GetSystemMetrics(SM_CXEDGE);
    int edgeY = ::GetSystemMetrics(SM_CYEDGE);
    ::SetPixel(dc, 50 + edgeX, 30 + edgeY, RGB(255, 255, 0));
    ::ReleaseDC(parent, dc);

    TestSkin skin;
    skin.SetEffect(SKIN_COPY);
    ASSERT_TRUE(skin.UpdateBackground(&control));
    EXPECT_EQ(skin.Pixel(0, 0), RGB(255, 255, 0));
    EXPECT_EQ(skin.Pixel(1, 1), kParentColor);
}

TEST(CSkinBackground, ShadeLightensAndDarkensWithClamping)
{
    SolidParent parent(RGB(240, 10, 20), 200, 120);
    Control control(parent, 5, 5, 30, 10);
    int shade = SKIN_SHADE;
    short lighten = 30;
    short darken = -30;

    TestSkin light;
    ASSERT_TRUE(light.ApplySkin(&shade, &lighten, nullptr, nullptr));
    ASSERT_TRUE(light.UpdateBackground(&control));
    EXPECT_EQ(light.Pixel(0, 0), RGB(255, 40, 50));
    EXPECT_EQ(light.Pixel(29, 9), RGB(255, 40, 50));

    TestSkin dark;
    ASSERT_TRUE(dark.ApplySkin(&shade, &darken, nullptr, nullptr));
    ASSERT_TRUE(dark.UpdateBackground(&control));
    EXPECT_EQ(dark.Pixel(0, 0), RGB(210, 0, 0));
    EXPECT_EQ(dark.Pixel(17, 3), RGB(210, 0, 0));
}

TEST(CSkinBackground, ShadeOnAHighColourBitmapWorksOnFiveFiveFiveWords)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = 2;
    info.bmiHeader.biHeight = 1;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 16;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(bitmap, nullptr);
    auto* words = static_cast<WORD*>(bits);
    words[0] = 0x7C00;               // pure red
    words[1] = (16 << 5) | 1;        // green 128, blue 8
    HDC dc = ::CreateCompatibleDC(nullptr);

    EXPECT_TRUE(CSkinBackground::ShadeBitmap(dc, bitmap, 30, TRUE));
    ::GdiFlush();
    EXPECT_EQ(words[0], 27 << 10);
    EXPECT_EQ(words[1], 12 << 5);
    EXPECT_TRUE(CSkinBackground::ShadeBitmap(dc, bitmap, 30, FALSE));
    ::GdiFlush();
    EXPECT_EQ(words[0], (30 << 10) | (3 << 5) | 3);
    EXPECT_EQ(words[1], (3 << 10) | (15 << 5) | 3);

    ::DeleteDC(dc);
    ::DeleteObject(bitmap);
}

TEST(CSkinBackground, CapturesOncePerPlacement)
{
    SolidParent parent(kParentColor, 200, 120);
    Control control(parent, 10, 10, 30, 10);
    TestSkin skin;
    skin.SetEffect(SKIN_COPY);
    ASSERT_TRUE(skin.UpdateBackground(&control));
    EXPECT_FALSE(skin.m_stale);

    parent.SetColor(RGB(0, 0, 200));
    EXPECT_TRUE(skin.UpdateBackground(&control));
    EXPECT_EQ(skin.Pixel(0, 0), kParentColor);

    WINDOWPOS move{};
    move.flags = SWP_NOZORDER | SWP_NOSIZE;
    skin.OnWindowPosChanging(&move);
    EXPECT_TRUE(skin.UpdateBackground(&control));
    EXPECT_EQ(skin.Pixel(0, 0), RGB(0, 0, 200));
}

TEST(CSkinBackground, NoOwnerOrNoParentFailsAndIsNotRetried)
{
    TestSkin skin;
    EXPECT_FALSE(skin.UpdateBackground(nullptr));
    EXPECT_FALSE(skin.m_stale);

    skin.InvalidateBackground(0);
    SolidParent lonely(kParentColor, 50, 50);
    EXPECT_FALSE(skin.UpdateBackground(&lonely));
    EXPECT_FALSE(skin.HasCapture());
    EXPECT_TRUE(skin.UpdateBackground(&lonely));
}

TEST(CSkinBackground, RepeatedCapturesLeakNoGdiObjects)
{
    ASSERT_TRUE(GdiCounterCounts());
    SolidParent parent(kParentColor, 200, 120);
    Control control(parent, 10, 10, 30, 10);
    auto cycle = [&control] {
        for (int effect : {SKIN_COPY, SKIN_STIPPLE, SKIN_SHADE}) {
            TestSkin skin;
            skin.SetEffect(effect);
            for (int capture = 0; capture < 3; ++capture) {
                skin.InvalidateBackground(0);
                skin.UpdateBackground(&control);
            }
        }
    };
    cycle();
    DWORD before = GdiObjectCount();
    for (int round = 0; round < 5; ++round)
        cycle();
    EXPECT_EQ(GdiObjectCount(), before);
}
