#include <gtest/gtest.h>
#include <windows.h>
#include <functional>
#include <vector>
#include "framework/CBitmap.h"
#include "framework/CDC.h"
#include "skin/CSkinDialog.h"
#include "tests/GdiObjectCount.h"

namespace {
const UINT kTemplate = 200;
const UINT kBackground = 146;
const int kImageWidth = 217;
const int kImageHeight = 377;

// Records where it is drawn instead of drawing.
class CountingImage : public CDibImage {
public:
    void Draw(CDC*, int x, int y) override { draws.push_back({x, y}); }
    std::vector<POINT> draws;
};

// A memory DC with a bitmap like the screen's, filled with one colour.
class Surface {
public:
    Surface(int width, int height, COLORREF fill = RGB(1, 2, 3))
    {
        CDC screen(::GetDC(nullptr));
        m_dc.CreateCompatibleDC(screen);
        m_bitmap.CreateCompatibleBitmap(screen, width, height);
        ::ReleaseDC(nullptr, screen.Detach());
        m_old = ::SelectObject(m_dc, m_bitmap);
        RECT all{0, 0, width, height};
        HBRUSH brush = ::CreateSolidBrush(fill);
        ::FillRect(m_dc, &all, brush);
        ::DeleteObject(brush);
    }
    ~Surface() { ::SelectObject(m_dc, m_old); }
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    CDC* Dc() { return &m_dc; }
    HDC Handle() const { return m_dc; }
    COLORREF Pixel(int x, int y) const { return ::GetPixel(m_dc, x, y); }

private:
    CDC m_dc;
    CBitmap m_bitmap;
    HGDIOBJ m_old;
};

// The background as drawn 1:1, to compare against.
class Reference {
public:
    Reference() : m_surface(kImageWidth, kImageHeight)
    {
        CDibImage image;
        image.LoadFromResource(MAKEINTRESOURCEA(kBackground));
        image.Draw(m_surface.Dc(), 0, 0);
    }
    COLORREF Pixel(int x, int y) const { return m_surface.Pixel(x, y); }

private:
    Surface m_surface;
};

// Runs check inside the dialog's initialisation, with the window sized to
// a client area of width x height, then ends the dialog.
class ProbeDialog : public CSkinDialog {
public:
    ProbeDialog(int width, int height, std::function<void(ProbeDialog&)> check)
        : CSkinDialog(kTemplate), m_width(width), m_height(height), m_check(std::move(check))
    {
    }

    using CSkinDialog::m_background;
    using CSkinDialog::m_backgroundMode;

    // What WM_ERASEBKGND paints into a fresh surface of the client's size.
    LRESULT EraseInto(Surface& surface) const
    {
        return ::SendMessageA(m_hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(surface.Handle()), 0);
    }

protected:
    BOOL OnInitDialog() override
    {
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, m_width, m_height, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
        m_check(*this);
        EndDialog(IDCANCEL);
        return TRUE;
    }

private:
    int m_width;
    int m_height;
    std::function<void(ProbeDialog&)> m_check;
};

void RunDialog(int width, int height, std::function<void(ProbeDialog&)> check)
{
    ProbeDialog dialog(width, height, std::move(check));
    ASSERT_EQ(dialog.DoModal(), IDCANCEL);
}
}

TEST(CSkinDialog, StartsTiledWithoutBackground)
{
    RunDialog(100, 100, [](ProbeDialog& dialog) {
        EXPECT_EQ(dialog.m_backgroundMode, BG_TILE);
        EXPECT_FALSE(dialog.m_background.IsLoaded());
    });
}

TEST(CSkinDialog, TilingDrawsSixTilesForFiveHundredByFourHundred)
{
    CountingImage image;
    ASSERT_TRUE(image.LoadFromResource(MAKEINTRESOURCEA(kBackground)));
    Surface surface(10, 10);
    CSkinDialog::DrawBackground(image, surface.Dc(), BG_TILE, 500, 400);
    std::vector<std::pair<int, int>> drawn;
    for (const POINT& at : image.draws)
        drawn.push_back({at.x, at.y});
    std::vector<std::pair<int, int>> expected{{0, 0}, {217, 0}, {434, 0}, {0, 377}, {217, 377}, {434, 377}};
    EXPECT_EQ(drawn, expected);
}

TEST(CSkinDialog, TiledEraseRepeatsTheImageAcrossTheSeams)
{
    Reference reference;
    RunDialog(500, 400, [&reference](ProbeDialog& dialog) {
        ASSERT_TRUE(dialog.SetBackground(kBackground, BG_TILE));
        Surface surface(500, 400);
        EXPECT_EQ(dialog.EraseInto(surface), TRUE);
        const POINT probes[] = {{0, 0}, {216, 0}, {217, 0}, {433, 376}, {434, 377}, {499, 399}, {10, 390}};
        for (const POINT& p : probes)
            EXPECT_EQ(surface.Pixel(p.x, p.y), reference.Pixel(p.x % kImageWidth, p.y % kImageHeight))
                << p.x << "," << p.y;
    });
}

TEST(CSkinDialog, StretchAtTheImageSizeIsOneToOne)
{
    Reference reference;
    RunDialog(kImageWidth, kImageHeight, [&reference](ProbeDialog& dialog) {
        ASSERT_TRUE(dialog.SetBackground(0x10000 | kBackground, BG_STRETCH));
        Surface surface(kImageWidth + 5, kImageHeight + 5);
        dialog.EraseInto(surface);
        for (int y = 0; y < kImageHeight; y += 13)
            for (int x = 0; x < kImageWidth; x += 11)
                ASSERT_EQ(surface.Pixel(x, y), reference.Pixel(x, y)) << x << "," << y;
        EXPECT_EQ(surface.Pixel(kImageWidth, 0), RGB(1, 2, 3));
    });
}

TEST(CSkinDialog, StretchCoversTheWholeClientArea)
{
    Reference reference;
    RunDialog(2 * kImageWidth, 2 * kImageHeight, [&reference](ProbeDialog& dialog) {
        ASSERT_TRUE(dialog.SetBackground(kBackground, BG_STRETCH));
        Surface surface(2 * kImageWidth, 2 * kImageHeight);
        dialog.EraseInto(surface);
        EXPECT_EQ(surface.Pixel(0, 0), reference.Pixel(0, 0));
        EXPECT_EQ(surface.Pixel(2 * kImageWidth - 1, 2 * kImageHeight - 1),
                  reference.Pixel(kImageWidth - 1, kImageHeight - 1));
        EXPECT_EQ(surface.Pixel(201, 301), reference.Pixel(100, 150));
    });
}

TEST(CSkinDialog, CentredLargeImageIsClippedAfterTheDefaultErase)
{
    Reference reference;
    RunDialog(100, 100, [&reference](ProbeDialog& dialog) {
        ASSERT_TRUE(dialog.SetBackground(kBackground, BG_CENTER));
        Surface surface(120, 120);
        dialog.EraseInto(surface);
        EXPECT_EQ(surface.Pixel(0, 0), reference.Pixel(58, 138));
        EXPECT_EQ(surface.Pixel(99, 99), reference.Pixel(157, 237));
    });
}

TEST(CSkinDialog, CentredSmallImageLeavesTheDefaultEraseAround)
{
    Reference reference;
    RunDialog(300, 400, [&reference](ProbeDialog& dialog) {
        ASSERT_TRUE(dialog.SetBackground(kBackground, BG_CENTER));
        Surface surface(300, 400);
        dialog.EraseInto(surface);
        // (300 - 217) / 2 = 41, (400 - 377) / 2 = 11.
        EXPECT_EQ(surface.Pixel(41, 11), reference.Pixel(0, 0));
        EXPECT_EQ(surface.Pixel(257, 387), reference.Pixel(216, 376));
        EXPECT_NE(surface.Pixel(40, 11), RGB(1, 2, 3));  // the dialog's own erase ran
        EXPECT_EQ(surface.Pixel(40, 11), surface.Pixel(5, 5));
    });
}

TEST(CSkinDialog, MissingBackgroundFallsBackToTheDefaultErase)
{
    RunDialog(100, 100, [](ProbeDialog& dialog) {
        EXPECT_FALSE(dialog.SetBackground(999, BG_STRETCH));
        EXPECT_EQ(dialog.m_backgroundMode, BG_STRETCH);
        Surface surface(100, 100);
        dialog.EraseInto(surface);
        EXPECT_NE(surface.Pixel(50, 50), RGB(1, 2, 3));
    });
}

TEST(CSkinDialog, ReplacingTheBackgroundFreesTheOldOneFirst)
{
    RunDialog(100, 100, [](ProbeDialog& dialog) {
        ASSERT_TRUE(dialog.SetBackground(kBackground, BG_TILE));
        EXPECT_FALSE(dialog.SetBackground(999, BG_TILE));
        EXPECT_FALSE(dialog.m_background.IsLoaded());
        EXPECT_EQ(dialog.m_background.GetPalette(), nullptr);
    });
}

TEST(CSkinDialog, NewPaletteOnATrueColourDisplayChangesNothing)
{
    RunDialog(100, 100, [](ProbeDialog& dialog) {
        ASSERT_TRUE(dialog.SetBackground(kBackground, BG_STRETCH));
        ::ValidateRect(dialog, nullptr);
        EXPECT_EQ(::SendMessageA(dialog, WM_QUERYNEWPALETTE, 0, 0), FALSE);
        EXPECT_FALSE(::GetUpdateRect(dialog, nullptr, FALSE));
        ::SendMessageA(dialog, WM_PALETTECHANGED, 0, 0);
        EXPECT_FALSE(::GetUpdateRect(dialog, nullptr, FALSE));
    });
}

TEST(CSkinDialog, DialogCyclesLeakNoGdiObjects)
{
    ASSERT_TRUE(GdiCounterCounts());
    auto cycle = [] {
        RunDialog(500, 400, [](ProbeDialog& dialog) {
            for (int mode : {BG_TILE, BG_STRETCH, BG_CENTER}) {
                dialog.SetBackground(kBackground, mode);
                Surface surface(500, 400);
                dialog.EraseInto(surface);
                ::SendMessageA(dialog, WM_QUERYNEWPALETTE, 0, 0);
                ::SendMessageA(dialog, WM_PALETTECHANGED, 0, 0);
            }
        });
    };
    cycle();
    DWORD before = GdiObjectCount();
    for (int round = 0; round < 3; ++round)
        cycle();
    EXPECT_EQ(GdiObjectCount(), before);
}
