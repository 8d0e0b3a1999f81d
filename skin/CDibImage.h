#pragma once
#include <windows.h>
#include <memory>
#include <string>
#include <vector>
#include "framework/CBitmap.h"
#include "framework/CDC.h"
#include "framework/CFile.h"

class CDibPalette;

// A device-independent bitmap in memory: the info header with its colour
// table, the bottom-up pixel rows and, up to 8 bits per pixel, a palette.
// Drawn straight from memory with the DIB functions.
class CDibImage {
public:
    CDibImage();
    CDibImage(const CDibImage&) = delete;
    CDibImage& operator=(const CDibImage&) = delete;
    virtual ~CDibImage();

    // Copies the part src of the image 1:1 to dst; src counts rows from the
    // top. SetDIBitsToDevice's result, 0 when nothing is loaded.
    virtual int DrawRect(CDC* dc, const RECT* dst, const RECT* src);
    // The whole image scaled into the rectangle (x, y, cx, cy).
    virtual void StretchDraw(CDC* dc, int x, int y, int cx, int cy);
    // The image at natural size, top-left corner at (x, y).
    virtual void Draw(CDC* dc, int x, int y);
    // A .bmp file; FALSE when it cannot be opened or read.
    virtual BOOL Load(const std::string& path);
    // A .bmp file from the file's position on; FALSE, and empty, when the
    // file is malformed in any way that drawing it could trip over.
    virtual BOOL Read(CFile* file);

    void Free();
    // A BITMAP resource of the program. A missing resource leaves the image
    // unchanged, one that cannot be copied leaves it empty.
    BOOL LoadFromResource(LPCSTR name);
    // A copy of a device-dependent bitmap, read through dc. Sources above 8
    // bits per pixel become 24-bit; others keep their depth and colours.
    BOOL CreateFromBitmap(CDC* dc, CBitmap* bitmap);
    BOOL CreateDibPalette();

    bool IsLoaded() const { return !header.empty() && !bits.empty(); }
    const BITMAPINFO* GetBitmapInfo() const;
    const RGBQUAD* GetColorTable() const;
    const BYTE* GetBits() const { return bits.empty() ? nullptr : bits.data(); }
    // Only for a loaded image.
    LONG GetWidth() const { return Info().biWidth; }
    LONG GetHeight() const { return Info().biHeight; }
    UINT NumColors() const;
    CDibPalette* GetPalette() const { return palette.get(); }

protected:
    std::vector<BYTE> header;  // BITMAPINFOHEADER and colour table
    std::vector<BYTE> bits;
    std::unique_ptr<CDibPalette> palette;

private:
    const BITMAPINFOHEADER& Info() const { return *reinterpret_cast<const BITMAPINFOHEADER*>(header.data()); }
    BOOL FillFromBitmap(HDC dc, HBITMAP bitmap);
};
