#include "skin/CDibImage.h"
#include <algorithm>
#include <cstdint>
#include <exception>
#include "framework/CClientDC.h"
#include "framework/CWinApp.h"
#include "skin/CDibPalette.h"
#include "skin/DibFile.h"

namespace {
// Selects an image's palette as a foreground palette and realises it;
// puts the previous one back on exit. Does nothing without a palette.
class ForegroundPalette {
public:
    ForegroundPalette(HDC dc, const CDibPalette* palette)
        : m_dc(dc), m_old(palette ? ::SelectPalette(dc, *palette, FALSE) : nullptr)
    {
        if (palette)
            ::RealizePalette(dc);
    }
    ~ForegroundPalette()
    {
        if (m_old)
            ::SelectPalette(m_dc, m_old, FALSE);
    }
    ForegroundPalette(const ForegroundPalette&) = delete;
    ForegroundPalette& operator=(const ForegroundPalette&) = delete;

private:
    HDC m_dc;
    HPALETTE m_old;
};

// Colour-table entries that GetDIBits writes for a source depth.
UINT TableEntries(WORD bitCount)
{
    return bitCount <= 8 ? 1u << bitCount : 0;
}
}

CDibImage::CDibImage() = default;

CDibImage::~CDibImage() = default;

void CDibImage::Free()
{
    header.clear();
    bits.clear();
    palette.reset();
}

const BITMAPINFO* CDibImage::GetBitmapInfo() const
{
    return header.empty() ? nullptr : reinterpret_cast<const BITMAPINFO*>(header.data());
}

const RGBQUAD* CDibImage::GetColorTable() const
{
    return header.empty() ? nullptr : reinterpret_cast<const RGBQUAD*>(header.data() + sizeof(BITMAPINFOHEADER));
}

UINT CDibImage::NumColors() const
{
    const BITMAPINFOHEADER& info = Info();
    return info.biClrUsed ? info.biClrUsed : 1u << info.biBitCount;
}

BOOL CDibImage::LoadFromResource(LPCSTR name)
{
    HANDLE loaded = ::LoadImageA(AfxGetResourceHandle(), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    if (!loaded)
        return FALSE;
    CBitmap bitmap;
    bitmap.Attach(static_cast<HBITMAP>(loaded));
    CClientDC desktop(::GetDesktopWindow());
    return CreateFromBitmap(&desktop, &bitmap);
}

BOOL CDibImage::CreateFromBitmap(CDC* dc, CBitmap* bitmap)
{
    try {
        if (FillFromBitmap(*dc, *bitmap))
            return TRUE;
    } catch (const std::exception&) {
        // Out of memory for the copy: fail like any other reason.
    }
    Free();
    return FALSE;
}

BOOL CDibImage::FillFromBitmap(HDC dc, HBITMAP bitmap)
{
    BITMAP source{};
    if (!::GetObjectA(bitmap, sizeof source, &source) || source.bmWidth <= 0 || source.bmHeight <= 0)
        return FALSE;
    WORD bitCount = source.bmBitsPixel <= 8 ? source.bmBitsPixel : 24;
    auto stride = static_cast<DWORD>(DibRowBytes(static_cast<std::uint64_t>(source.bmWidth), bitCount));
    auto height = static_cast<DWORD>(source.bmHeight);

    bits.assign(static_cast<size_t>(stride) * height, 0);
    header.assign(sizeof(BITMAPINFOHEADER) + TableEntries(source.bmBitsPixel) * sizeof(RGBQUAD), 0);
    auto& info = *reinterpret_cast<BITMAPINFOHEADER*>(header.data());
    info.biSize = sizeof(BITMAPINFOHEADER);
    info.biWidth = source.bmWidth;
    info.biHeight = source.bmHeight;
    info.biPlanes = source.bmPlanes;
    info.biBitCount = bitCount;
    info.biCompression = BI_RGB;
    info.biSizeImage = stride * height;

    // Fills the rows and, up to 8 bits per pixel, the colour table.
    int lines = ::GetDIBits(dc, bitmap, 0, height, bits.data(), reinterpret_cast<BITMAPINFO*>(header.data()),
                            DIB_RGB_COLORS);
    if (lines != source.bmHeight)
        return FALSE;
    CreateDibPalette();
    return TRUE;
}

BOOL CDibImage::CreateDibPalette()
{
    palette.reset();
    if (header.empty() || Info().biBitCount > 8)
        return FALSE;
    palette = std::make_unique<CDibPalette>(*this);
    if (!palette->GetSafeHandle())
        palette.reset();
    return palette != nullptr;
}

void CDibImage::StretchDraw(CDC* dc, int x, int y, int cx, int cy)
{
    ForegroundPalette selected(*dc, palette.get());
    if (palette)
        ::SetStretchBltMode(*dc, COLORONCOLOR);
    if (IsLoaded())
        ::StretchDIBits(*dc, x, y, cx, cy, 0, 0, GetWidth(), GetHeight(), bits.data(), GetBitmapInfo(),
                        DIB_RGB_COLORS, SRCCOPY);
}

void CDibImage::Draw(CDC* dc, int x, int y)
{
    if (IsLoaded())
        StretchDraw(dc, x, y, GetWidth(), GetHeight());
}

int CDibImage::DrawRect(CDC* dc, const RECT* dst, const RECT* src)
{
    ForegroundPalette selected(*dc, palette.get());
    if (!IsLoaded())
        return 0;
    return ::SetDIBitsToDevice(*dc, dst->left, dst->top, static_cast<DWORD>(dst->right - dst->left),
                               static_cast<DWORD>(dst->bottom - dst->top), src->left, GetHeight() - src->bottom,
                               0, static_cast<UINT>(GetHeight()), bits.data(), GetBitmapInfo(), DIB_RGB_COLORS);
}

BOOL CDibImage::Load(const std::string& path)
{
    CFile file;
    if (!file.Open(path))
        return FALSE;
    return Read(&file);
}

BOOL CDibImage::Read(CFile* file)
{
    Free();
    try {
        std::vector<std::uint8_t> data(kDibFileHeaderSize);
        LONGLONG start = file->GetPosition();
        if (start < 0 || file->Read(data.data(), kDibFileHeaderSize) != kDibFileHeaderSize)
            return FALSE;
        // Read no more than the file announces and holds.
        LONGLONG available = file->GetLength() - start;
        LONGLONG wanted = std::min<LONGLONG>(DibFileSizeField(data.data(), data.size()), available);
        if (wanted < static_cast<LONGLONG>(kDibFileHeaderSize))
            return FALSE;
        data.resize(static_cast<size_t>(wanted));
        UINT rest = static_cast<UINT>(data.size() - kDibFileHeaderSize);
        DibFileContents contents;
        if (file->Read(data.data() + kDibFileHeaderSize, rest) != rest ||
            !ParseDibFile(data.data(), data.size(), contents).empty())
            return FALSE;
        header = std::move(contents.header);
        bits = std::move(contents.bits);
    } catch (const std::exception&) {
        Free();
        return FALSE;
    }
    CreateDibPalette();
    return TRUE;
}
