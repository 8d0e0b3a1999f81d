#include <gtest/gtest.h>
#include <windows.h>
#include "skin/WindowShape.h"
#include "tests/GdiObjectCount.h"

namespace {
const COLORREF kOuter = 0x00C8BEBE;
const COLORREF kMiddle = 0x00C0A0A0;
const COLORREF kInner = 0x00A08080;
const COLORREF kFace = RGB(10, 200, 30);

// A borderless 260 x 500 window painted in kFace.
class TallWindow {
public:
    TallWindow()
    {
        WNDCLASSA wc{};
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "OrbiquelShapeTestWindow";
        wc.hbrBackground = ::CreateSolidBrush(kFace);
        if (!::RegisterClassA(&wc))
            ::DeleteObject(wc.hbrBackground);
        m_hWnd = ::CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "", WS_POPUP, 100, 50, 260, 500, nullptr,
                                   nullptr, wc.hInstance, nullptr);
    }
    ~TallWindow() { ::DestroyWindow(m_hWnd); }
    TallWindow(const TallWindow&) = delete;
    TallWindow& operator=(const TallWindow&) = delete;

    operator HWND() const { return m_hWnd; }
    void Show() const
    {
        ::ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
        ::UpdateWindow(m_hWnd);
    }
    COLORREF Pixel(int x, int y) const
    {
        HDC dc = ::GetWindowDC(m_hWnd);
        COLORREF color = ::GetPixel(dc, x, y);
        ::ReleaseDC(m_hWnd, dc);
        return color;
    }

private:
    HWND m_hWnd;
};

struct Brushes {
    Brushes() : outer(::CreateSolidBrush(kOuter)), middle(::CreateSolidBrush(kMiddle)), inner(::CreateSolidBrush(kInner)) {}
    ~Brushes()
    {
        ::DeleteObject(outer);
        ::DeleteObject(middle);
        ::DeleteObject(inner);
    }
    HBRUSH outer;
    HBRUSH middle;
    HBRUSH inner;
};
}

TEST(WindowShape, RegionIsTheNinePointPolygonOfTheWindow)
{
    TallWindow window;
    HRGN shape = CreateWindowShape(window);
    ASSERT_NE(shape, nullptr);
    const POINT expected[] = {{30, 0}, {230, 0}, {260, 30}, {245, 470}, {178, 500},
                              {82, 500}, {15, 470}, {0, 30}, {30, 0}};
    HRGN reference = ::CreatePolygonRgn(expected, 9, WINDING);
    EXPECT_TRUE(::EqualRgn(shape, reference));

    RECT box{};
    ::GetRgnBox(shape, &box);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.right, 260);
    EXPECT_EQ(box.bottom, 500);
    EXPECT_FALSE(::PtInRegion(shape, 5, 20));    // cut top-left corner
    EXPECT_TRUE(::PtInRegion(shape, 15, 20));
    EXPECT_FALSE(::PtInRegion(shape, 255, 460));  // slanted right side
    EXPECT_TRUE(::PtInRegion(shape, 240, 460));
    EXPECT_FALSE(::PtInRegion(shape, 70, 498));   // cut lower-left corner
    EXPECT_TRUE(::PtInRegion(shape, 130, 498));
    ::DeleteObject(reference);
    ::DeleteObject(shape);
}

TEST(WindowShape, OutlineBandsRunOuterMiddleInnerFromTheEdge)
{
    TallWindow window;
    HRGN shape = CreateWindowShape(window);
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 260, 500);
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    ::PatBlt(dc, 0, 0, 260, 500, WHITENESS);
    Brushes brushes;

    FrameWindowShape(dc, shape, brushes.outer, brushes.middle, brushes.inner);
    const COLORREF white = RGB(255, 255, 255);
    const COLORREF topDown[] = {kOuter, kMiddle, kInner, white};
    for (int y = 0; y < 4; ++y)
        EXPECT_EQ(::GetPixel(dc, 130, y), topDown[y]) << y;
    for (int y = 0; y < 4; ++y)
        EXPECT_EQ(::GetPixel(dc, 130, 499 - y), topDown[y]) << y;
    const COLORREF leftRight[] = {kOuter, kMiddle, kInner, white};
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(::GetPixel(dc, x, 30), leftRight[x]) << x;
    EXPECT_EQ(::GetPixel(dc, 0, 0), white);

    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    ::DeleteObject(shape);
}

TEST(WindowShape, OutlineIsPaintedOnTheShapedWindow)
{
    TallWindow window;
    Brushes brushes;
    HRGN scratch = ::CreateRectRgn(0, 0, 1, 1);
    EXPECT_FALSE(PaintWindowOutline(window, scratch, brushes.outer, brushes.middle, brushes.inner));

    HRGN shape = CreateWindowShape(window);
    ASSERT_TRUE(::SetWindowRgn(window, shape, FALSE));  // the window owns it now
    window.Show();
    EXPECT_TRUE(PaintWindowOutline(window, scratch, brushes.outer, brushes.middle, brushes.inner));
    EXPECT_EQ(window.Pixel(130, 0), kOuter);
    EXPECT_EQ(window.Pixel(130, 1), kMiddle);
    EXPECT_EQ(window.Pixel(130, 2), kInner);
    EXPECT_EQ(window.Pixel(130, 3), kFace);
    ::DeleteObject(scratch);
}

TEST(WindowShape, ShapeAndOutlineCyclesLeakNoGdiObjects)
{
    ASSERT_TRUE(GdiCounterCounts());
    Brushes brushes;
    auto cycle = [&brushes] {
        TallWindow window;
        HRGN scratch = ::CreateRectRgn(0, 0, 1, 1);
        ::SetWindowRgn(window, CreateWindowShape(window), FALSE);
        window.Show();
        PaintWindowOutline(window, scratch, brushes.outer, brushes.middle, brushes.inner);
        ::DeleteObject(scratch);
    };
    cycle();
    DWORD before = GdiObjectCount();
    for (int round = 0; round < 5; ++round)
        cycle();
    EXPECT_EQ(GdiObjectCount(), before);
}
