#include <gtest/gtest.h>
#include <windows.h>
#include <cstring>
#include <string>
#include "framework/CBitmap.h"
#include "framework/CDC.h"
#include "framework/CFile.h"
#include "skin/CDibImage.h"
#include "skin/CDibPalette.h"
#include "tests/GdiObjectCount.h"
#include "tests/TempFolder.h"

namespace {
const UINT kBackground = 146;
const UINT kBackgroundFile = 147;

class TestImage : public CDibImage {
public:
    size_t HeaderSize() const { return header.size(); }
    size_t BitsSize() const { return bits.size(); }
    WORD BitCount() const { return GetBitmapInfo()->bmiHeader.biBitCount; }
};

std::string BackgroundFileBytes()
{
    HRSRC found = ::FindResourceA(nullptr, MAKEINTRESOURCEA(kBackgroundFile), MAKEINTRESOURCEA(10));  // RT_RCDATA
    HGLOBAL loaded = ::LoadResource(nullptr, found);
    return std::string(static_cast<const char*>(::LockResource(loaded)), ::SizeofResource(nullptr, found));
}

UINT PaletteSize(const CDibPalette* palette)
{
    WORD entries = 0;
    ::GetObjectA(*palette, sizeof entries, &entries);
    return entries;
}

// A memory DC with a bitmap like the screen's, filled white.
class Surface {
public:
    Surface(int width, int height)
    {
        CDC screen(::GetDC(nullptr));
        m_dc.CreateCompatibleDC(screen);
        m_bitmap.CreateCompatibleBitmap(screen, width, height);
        ::ReleaseDC(nullptr, screen.Detach());
        m_old = ::SelectObject(m_dc, m_bitmap);
        ::PatBlt(m_dc, 0, 0, width, height, WHITENESS);
    }
    ~Surface() { ::SelectObject(m_dc, m_old); }
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    CDC* Dc() { return &m_dc; }
    COLORREF Pixel(int x, int y) const { return ::GetPixel(m_dc, x, y); }
    void SetPixel(int x, int y, COLORREF color) { ::SetPixel(m_dc, x, y, color); }
    // Hands the bitmap out of the DC, as GetDIBits wants it.
    CBitmap& Release()
    {
        ::SelectObject(m_dc, m_old);
        m_old = nullptr;
        return m_bitmap;
    }

private:
    CDC m_dc;
    CBitmap m_bitmap;
    HGDIOBJ m_old;
};

const COLORREF kColors[2][3] = {
    {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)},
    {RGB(255, 255, 0), RGB(0, 255, 255), RGB(80, 40, 20)},
};

// A 3 x 2 true-colour image with the colours above, row 0 on top.
void MakeSmallImage(TestImage& image)
{
    Surface source(3, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            source.SetPixel(x, y, kColors[y][x]);
    CBitmap& bitmap = source.Release();
    ASSERT_TRUE(image.CreateFromBitmap(source.Dc(), &bitmap));
}
}

TEST(CDibImage, BackgroundResourceBecomesAnEightBitImageWithItsPalette)
{
    TestImage image;
    ASSERT_TRUE(image.LoadFromResource(MAKEINTRESOURCEA(kBackground)));
    ASSERT_TRUE(image.IsLoaded());
    EXPECT_EQ(image.HeaderSize(), 1064u);
    EXPECT_EQ(image.GetWidth(), 217);
    EXPECT_EQ(image.GetHeight(), 377);
    EXPECT_EQ(image.BitCount(), 8);
    EXPECT_EQ(image.BitsSize(), 220u * 377u);
    EXPECT_EQ(image.NumColors(), 256u);

    ASSERT_NE(image.GetPalette(), nullptr);
    ASSERT_EQ(PaletteSize(image.GetPalette()), 256u);
    PALETTEENTRY entries[256];
    ASSERT_EQ(::GetPaletteEntries(*image.GetPalette(), 0, 256, entries), 256u);
    const RGBQUAD* table = image.GetColorTable();
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(entries[i].peRed, table[i].rgbRed) << i;
        EXPECT_EQ(entries[i].peGreen, table[i].rgbGreen) << i;
        EXPECT_EQ(entries[i].peBlue, table[i].rgbBlue) << i;
    }
}

TEST(CDibImage, BackgroundFileAndResourceGiveTheSamePixelsAndColours)
{
    TempFolder folder;
    folder.WriteFile("background.bmp", BackgroundFileBytes());
    TestImage fromFile;
    ASSERT_TRUE(fromFile.Load(folder / "background.bmp"));
    TestImage fromResource;
    ASSERT_TRUE(fromResource.LoadFromResource(MAKEINTRESOURCEA(kBackground)));

    EXPECT_EQ(fromFile.HeaderSize(), 1064u);
    ASSERT_EQ(fromFile.BitsSize(), fromResource.BitsSize());
    EXPECT_EQ(memcmp(fromFile.GetBits(), fromResource.GetBits(), fromFile.BitsSize()), 0);
    EXPECT_EQ(memcmp(fromFile.GetColorTable(), fromResource.GetColorTable(), 1024), 0);
    ASSERT_NE(fromFile.GetPalette(), nullptr);
    EXPECT_EQ(PaletteSize(fromFile.GetPalette()), 256u);
}

namespace {
// Reads bytes written to a file of a fresh folder, from the given position on.
BOOL ReadBytes(TestImage& image, const std::string& bytes, LONGLONG from = 0)
{
    TempFolder folder;
    folder.WriteFile("image.bmp", bytes);
    CFile file;
    if (!file.Open(folder / "image.bmp") || file.Seek(from, FILE_BEGIN) != from)
        return FALSE;
    return image.Read(&file);
}
}

TEST(CDibImage, ReadStartsAtTheFilePosition)
{
    TestImage image;
    ASSERT_TRUE(ReadBytes(image, "junk" + BackgroundFileBytes(), 4));
    EXPECT_EQ(image.GetWidth(), 217);
}

TEST(CDibImage, MalformedFilesFailAndLeaveTheImageEmpty)
{
    TempFolder folder;
    std::string file = BackgroundFileBytes();
    TestImage image;
    EXPECT_FALSE(image.Load(folder / "missing.bmp"));

    ASSERT_TRUE(image.LoadFromResource(MAKEINTRESOURCEA(kBackground)));
    EXPECT_FALSE(ReadBytes(image, file.substr(0, file.size() - 1)));
    EXPECT_FALSE(image.IsLoaded());
    EXPECT_EQ(image.GetPalette(), nullptr);

    std::string notBitmap = file;
    notBitmap[0] = 'X';
    EXPECT_FALSE(ReadBytes(image, notBitmap));
    EXPECT_FALSE(ReadBytes(image, "BM"));
    EXPECT_FALSE(image.IsLoaded());
}

TEST(CDibImage, MissingResourceLeavesTheImageAsItWas)
{
    TestImage image;
    EXPECT_FALSE(image.LoadFromResource(MAKEINTRESOURCEA(999)));
    EXPECT_FALSE(image.IsLoaded());
    ASSERT_TRUE(image.LoadFromResource(MAKEINTRESOURCEA(kBackground)));
    EXPECT_FALSE(image.LoadFromResource(MAKEINTRESOURCEA(999)));
    EXPECT_TRUE(image.IsLoaded());
    EXPECT_EQ(image.GetWidth(), 217);
    EXPECT_NE(image.GetPalette(), nullptr);
}

TEST(CDibImage, TrueColourSourceBecomesTwentyFourBitsWithoutPalette)
{
    TestImage image;
    MakeSmallImage(image);
    EXPECT_EQ(image.BitCount(), 24);
    EXPECT_EQ(image.HeaderSize(), 40u);
    EXPECT_EQ(image.BitsSize(), 12u * 2u);
    EXPECT_EQ(image.GetPalette(), nullptr);
    // Bottom-up: the first stored row is the lower one.
    const BYTE* bits = image.GetBits();
    EXPECT_EQ(RGB(bits[2], bits[1], bits[0]), kColors[1][0]);
    EXPECT_EQ(RGB(bits[14], bits[13], bits[12]), kColors[0][0]);
}

TEST(CDibImage, MonochromeSourceKeepsOneBitAndATwoColourPalette)
{
    const BYTE rows[2][2] = {{0xA0, 0}, {0x50, 0}};
    CBitmap mono;
    ASSERT_TRUE(mono.CreateBitmap(4, 2, 1, 1, rows));
    CDC screen(::GetDC(nullptr));
    TestImage image;
    ASSERT_TRUE(image.CreateFromBitmap(&screen, &mono));
    ::ReleaseDC(nullptr, screen.Detach());
    EXPECT_EQ(image.BitCount(), 1);
    EXPECT_EQ(image.HeaderSize(), 48u);
    ASSERT_NE(image.GetPalette(), nullptr);
    EXPECT_EQ(PaletteSize(image.GetPalette()), 2u);
    // Stored bottom-up: the lower row (0x50) first.
    EXPECT_EQ(image.GetBits()[0], 0x50);
    EXPECT_EQ(image.GetBits()[4], 0xA0);
}

TEST(CDibImage, DrawCoversExactlyTheImageAtItsPlace)
{
    TestImage image;
    MakeSmallImage(image);
    Surface target(20, 20);
    image.Draw(target.Dc(), 5, 6);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(target.Pixel(5 + x, 6 + y), kColors[y][x]) << x << "," << y;
    const COLORREF white = RGB(255, 255, 255);
    EXPECT_EQ(target.Pixel(4, 6), white);
    EXPECT_EQ(target.Pixel(8, 6), white);
    EXPECT_EQ(target.Pixel(5, 5), white);
    EXPECT_EQ(target.Pixel(5, 8), white);
}

TEST(CDibImage, StretchDrawScalesTheWholeImage)
{
    TestImage image;
    MakeSmallImage(image);
    Surface target(20, 20);
    image.StretchDraw(target.Dc(), 2, 2, 6, 4);
    EXPECT_EQ(target.Pixel(2, 2), kColors[0][0]);
    EXPECT_EQ(target.Pixel(3, 3), kColors[0][0]);
    EXPECT_EQ(target.Pixel(4, 2), kColors[0][1]);
    EXPECT_EQ(target.Pixel(7, 5), kColors[1][2]);
    EXPECT_EQ(target.Pixel(8, 5), RGB(255, 255, 255));
    EXPECT_EQ(target.Pixel(7, 6), RGB(255, 255, 255));
}

TEST(CDibImage, DrawRectCountsSourceRowsFromTheTop)
{
    TestImage image;
    MakeSmallImage(image);
    Surface target(20, 20);
    RECT dst{10, 10, 12, 11};
    RECT src{1, 1, 3, 2};
    EXPECT_NE(image.DrawRect(target.Dc(), &dst, &src), 0);
    EXPECT_EQ(target.Pixel(10, 10), kColors[1][1]);
    EXPECT_EQ(target.Pixel(11, 10), kColors[1][2]);
    EXPECT_EQ(target.Pixel(12, 10), RGB(255, 255, 255));
    EXPECT_EQ(target.Pixel(10, 11), RGB(255, 255, 255));

    TestImage empty;
    EXPECT_EQ(empty.DrawRect(target.Dc(), &dst, &src), 0);
}

TEST(CDibImage, LoadDrawAndFreeCyclesLeakNoGdiObjects)
{
    ASSERT_TRUE(GdiCounterCounts());
    Surface target(300, 400);
    auto cycle = [&target] {
        TestImage image;
        image.LoadFromResource(MAKEINTRESOURCEA(kBackground));
        image.Draw(target.Dc(), 0, 0);
        image.StretchDraw(target.Dc(), 0, 0, 300, 400);
        image.LoadFromResource(MAKEINTRESOURCEA(kBackground));
        image.Free();
        MakeSmallImage(image);
    };
    cycle();
    DWORD before = GdiObjectCount();
    for (int round = 0; round < 5; ++round)
        cycle();
    EXPECT_EQ(GdiObjectCount(), before);
}
