#include <gtest/gtest.h>
#include <windows.h>
#include "skin/CSkinButton.h"
#include "tests/skin/SkinTestWindows.h"

namespace {
const COLORREF kParentColor = RGB(0x40, 0x80, 0xC0);
const COLORREF kUntouched = RGB(0x12, 0x34, 0x56);
const COLORREF kTextColor = 0x00FF8000;
const UINT kButtonId = 1;
const int kWidth = 80;
const int kHeight = 24;

class TestButton : public CSkinButton {
public:
    ~TestButton() override
    {
        if (m_hWnd)
            ::DestroyWindow(m_hWnd);
    }
    using CSkinButton::m_stale;
};

// A skinned button on a solid parent, captured with the effect given.
struct ButtonFixture {
    explicit ButtonFixture(const char* text, int effect = SKIN_COPY) : parent(kParentColor, 200, 100)
    {
        HWND wnd = CreateChild(parent, "BUTTON", 10, 10, kWidth, kHeight, BS_DEFPUSHBUTTON, 0, kButtonId);
        ::SetWindowTextA(wnd, text);
        button.SubclassWindow(wnd);
        short level = 30;
        COLORREF textColor = kTextColor;
        button.ApplySkin(&effect, &level, nullptr, &textColor);
    }

    // As a dialog shows itself: the parent paints everywhere, then the button.
    void Show()
    {
        ::ShowWindow(button, SW_SHOWNA);
        ::RedrawWindow(parent, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }

    SolidParent parent;
    TestButton button;
};

// A memory DC of the button's size, filled with kUntouched.
class Canvas {
public:
    Canvas()
    {
        HDC screen = ::GetDC(nullptr);
        m_dc = ::CreateCompatibleDC(screen);
        m_bitmap = ::CreateCompatibleBitmap(screen, kWidth, kHeight);
        ::ReleaseDC(nullptr, screen);
        m_old = ::SelectObject(m_dc, m_bitmap);
        RECT all{0, 0, kWidth, kHeight};
        HBRUSH brush = ::CreateSolidBrush(kUntouched);
        ::FillRect(m_dc, &all, brush);
        ::DeleteObject(brush);
    }
    ~Canvas()
    {
        ::SelectObject(m_dc, m_old);
        ::DeleteObject(m_bitmap);
        ::DeleteDC(m_dc);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC Dc() const { return m_dc; }
    COLORREF Pixel(int x, int y) const { return ::GetPixel(m_dc, x, y); }
    int Count(COLORREF color, const RECT& area) const
    {
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                count += Pixel(x, y) == color;
        return count;
    }

private:
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_old;
};

// What the button control does when it wants its face painted: WM_DRAWITEM
// to the parent, which hands it back to the button's object.
void DrawThroughParent(ButtonFixture& fixture, const Canvas& canvas, UINT state, UINT action = ODA_DRAWENTIRE)
{
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.CtlID = kButtonId;
    item.itemAction = action;
    item.itemState = state;
    item.hwndItem = fixture.button;
    item.hDC = canvas.Dc();
    item.rcItem = {0, 0, kWidth, kHeight};
    ::SendMessageA(fixture.parent, WM_DRAWITEM, kButtonId, reinterpret_cast<LPARAM>(&item));
}

void Capture(ButtonFixture& fixture)
{
    ::SendMessageA(fixture.button, WM_ERASEBKGND, 0, 0);
}

COLORREF ScreenPixel(HWND wnd, int x, int y)
{
    HDC dc = ::GetDC(wnd);
    COLORREF color = ::GetPixel(dc, x, y);
    ::ReleaseDC(wnd, dc);
    return color;
}
}

TEST(CSkinButton, SubclassingMakesAnyButtonOwnerDrawn)
{
    ButtonFixture fixture("Save");
    EXPECT_EQ(fixture.button.GetStyle() & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));
}

TEST(CSkinButton, NormalLookIsBackgroundRaisedFrameAndText)
{
    ButtonFixture fixture("Save");
    Capture(fixture);
    Canvas canvas;
    DrawThroughParent(fixture, canvas, 0);

    COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    COLORREF dark = ::GetSysColor(COLOR_3DDKSHADOW);
    EXPECT_EQ(canvas.Pixel(0, 0), light);
    EXPECT_EQ(canvas.Pixel(0, kHeight - 2), light);
    EXPECT_EQ(canvas.Pixel(kWidth - 1, 0), dark);
    EXPECT_EQ(canvas.Pixel(kWidth - 1, kHeight - 1), dark);
    EXPECT_EQ(canvas.Pixel(0, kHeight - 1), dark);
    EXPECT_EQ(canvas.Pixel(2, 2), kParentColor);
    EXPECT_EQ(canvas.Count(kUntouched, {0, 0, kWidth, kHeight}), 0);
    EXPECT_GT(canvas.Count(kTextColor, {1, 1, kWidth - 1, kHeight - 1}), 0);
}

TEST(CSkinButton, PressedWithoutTextDrawsOnlyTheSunkenFrame)
{
    ButtonFixture fixture("");
    Capture(fixture);
    Canvas canvas;
    DrawThroughParent(fixture, canvas, ODS_SELECTED, ODA_SELECT);

    EXPECT_EQ(canvas.Pixel(0, 0), ::GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(canvas.Pixel(kWidth - 1, kHeight - 1), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(canvas.Count(kUntouched, {1, 1, kWidth - 1, kHeight - 1}), (kWidth - 2) * (kHeight - 2));
}

TEST(CSkinButton, PressedRestoresTheBackgroundOnlyUnderTheText)
{
    ButtonFixture fixture("Save");
    Capture(fixture);
    Canvas canvas;
    DrawThroughParent(fixture, canvas, ODS_SELECTED, ODA_SELECT);

    EXPECT_EQ(canvas.Pixel(3, kHeight / 2), kUntouched);
    EXPECT_EQ(canvas.Pixel(kWidth - 4, kHeight / 2), kUntouched);
    RECT inner{1, 1, kWidth - 1, kHeight - 1};
    EXPECT_GT(canvas.Count(kParentColor, inner), 0);
    EXPECT_GT(canvas.Count(kTextColor, inner), 0);
}

TEST(CSkinButton, FocusRectangleFollowsTheLastFocusReport)
{
    ButtonFixture fixture("");
    Capture(fixture);
    // The dotted rectangle runs along row 3, inset by 3 pixels.
    const RECT focusRow{3, 3, kWidth - 3, 4};
    const int rowLength = kWidth - 6;
    {
        Canvas canvas;
        DrawThroughParent(fixture, canvas, ODS_FOCUS, ODA_FOCUS);
        EXPECT_GT(rowLength - canvas.Count(kParentColor, focusRow), rowLength / 3);
        EXPECT_EQ(canvas.Count(kParentColor, {2, 2, kWidth - 2, 3}), kWidth - 4);
    }
    {
        // A redraw that says nothing about focus keeps showing it.
        Canvas canvas;
        DrawThroughParent(fixture, canvas, 0, ODA_DRAWENTIRE);
        EXPECT_GT(rowLength - canvas.Count(kParentColor, focusRow), rowLength / 3);
    }
    {
        Canvas canvas;
        DrawThroughParent(fixture, canvas, 0, ODA_FOCUS);
        EXPECT_EQ(canvas.Count(kParentColor, focusRow), rowLength);
    }
}

TEST(CSkinButton, PaintsTheShadedParentOnScreen)
{
    ButtonFixture fixture("", SKIN_SHADE);
    fixture.Show();
    EXPECT_EQ(ScreenPixel(fixture.button, 2, 2), RGB(0x40 + 30, 0x80 + 30, 0xC0 + 30));
    EXPECT_EQ(ScreenPixel(fixture.button, 0, 0), ::GetSysColor(COLOR_BTNHIGHLIGHT));
}

TEST(CSkinButton, CapturesAgainOnlyAfterAMove)
{
    ButtonFixture fixture("");
    fixture.Show();
    ASSERT_EQ(ScreenPixel(fixture.button, 2, 2), kParentColor);

    const COLORREF repainted = RGB(200, 30, 30);
    fixture.parent.SetColor(repainted);
    ::RedrawWindow(fixture.button, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_EQ(ScreenPixel(fixture.button, 2, 2), kParentColor);

    ::ShowWindow(fixture.button, SW_HIDE);
    ::UpdateWindow(fixture.parent);
    ::SetWindowPos(fixture.button, nullptr, 30, 40, 0, 0, SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_TRUE(fixture.button.m_stale);
    ::ShowWindow(fixture.button, SW_SHOWNA);
    ::UpdateWindow(fixture.button);
    EXPECT_EQ(ScreenPixel(fixture.button, 2, 2), repainted);
}

TEST(CSkinButton, CreateAndDestroyCyclesLeakNoGdiObjects)
{
    ASSERT_TRUE(GdiCounterCounts());
    SolidParent parent(kParentColor, 200, 100);
    auto cycle = [&parent] {
        TestButton button;
        button.SubclassWindow(CreateChild(parent, "BUTTON", 10, 10, kWidth, kHeight, WS_VISIBLE));
        ::SetWindowTextA(button, "Cancel");
        ::RedrawWindow(button, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        ::SendMessageA(button, BM_SETSTATE, TRUE, 0);
        ::UpdateWindow(button);
        ::SetWindowPos(button, nullptr, 12, 12, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
        ::UpdateWindow(button);
    };
    cycle();
    DWORD before = GdiObjectCount();
    for (int round = 0; round < 5; ++round)
        cycle();
    EXPECT_EQ(GdiObjectCount(), before);
}
