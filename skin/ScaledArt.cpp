#include "skin/ScaledArt.h"
#include <cstring>
#include "framework/CBitmap.h"
#include "framework/CWinApp.h"

namespace {
BITMAPINFO TopDown32(int width, int height)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

Pixels ReadResource(UINT id)
{
    CBitmap art;
    if (!art.LoadBitmap(AfxGetResourceHandle(), id))
        return {};
    return ReadPixels(art);
}

HWND FindBitmapControl(HWND dialog)
{
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        char className[16] = "";
        ::GetClassNameA(child, className, sizeof className);
        if (lstrcmpiA(className, "Static") == 0 && (::GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP)
            return child;
    }
    return nullptr;
}
}

HBITMAP ShowInBitmapControl(HWND dialog, HBITMAP art)
{
    HWND control = FindBitmapControl(dialog);
    BITMAP size{};
    if (!control || !::GetObjectA(art, sizeof size, &size))
        return nullptr;
    RECT place{};
    ::GetWindowRect(control, &place);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
    auto shown =
        reinterpret_cast<HBITMAP>(::SendMessageA(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(art)));
    RECT client{};
    ::GetClientRect(dialog, &client);
    int left = ArtControlLeft(place.left, size.bmWidth, client.right);
    ::SetWindowPos(control, nullptr, left, place.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return shown;
}

// Pixels hold 0x00RRGGBB, a COLORREF 0x00BBGGRR.
std::uint32_t PixelOf(COLORREF colour)
{
    return static_cast<std::uint32_t>(GetRValue(colour)) << 16 | static_cast<std::uint32_t>(GetGValue(colour)) << 8 |
           GetBValue(colour);
}

int WindowDpi(HWND wnd)
{
    // From Windows 10 on; looked up so that the program still starts on older systems.
    using DpiForWindow = UINT(WINAPI*)(HWND);
    auto dpiForWindow = reinterpret_cast<DpiForWindow>(
        reinterpret_cast<void (*)()>(::GetProcAddress(::GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    if (dpiForWindow) {
        if (UINT dpi = dpiForWindow(wnd))
            return static_cast<int>(dpi);
    }
    HDC screen = ::GetDC(nullptr);
    int dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
    ::ReleaseDC(nullptr, screen);
    return dpi;
}

Pixels ReadPixels(HBITMAP bitmap)
{
    BITMAP size{};
    if (!::GetObjectA(bitmap, sizeof size, &size) || size.bmWidth <= 0 || size.bmHeight <= 0)
        return {};
    Pixels pixels;
    pixels.width = size.bmWidth;
    pixels.height = size.bmHeight;
    pixels.data.resize(static_cast<size_t>(size.bmWidth) * static_cast<size_t>(size.bmHeight));
    BITMAPINFO info = TopDown32(size.bmWidth, size.bmHeight);
    HDC screen = ::GetDC(nullptr);
    int rows = ::GetDIBits(screen, bitmap, 0, static_cast<UINT>(size.bmHeight), pixels.data.data(), &info, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    if (rows != size.bmHeight)
        return {};
    for (std::uint32_t& pixel : pixels.data)
        pixel &= 0xFFFFFF;
    return pixels;
}

HBITMAP CreateBitmapOfPixels(const Pixels& pixels)
{
    if (pixels.data.empty())
        return nullptr;
    BITMAPINFO info = TopDown32(pixels.width, pixels.height);
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap)
        memcpy(bits, pixels.data.data(), pixels.data.size() * sizeof pixels.data[0]);
    return bitmap;
}

HBITMAP LoadScaledArt(UINT id, int width, int height)
{
    return CreateBitmapOfPixels(AreaAverage(ReadResource(id), width, height));
}

HBITMAP LoadScaledKeyedArt(UINT id, int width, int height, COLORREF key, COLORREF ground)
{
    return CreateBitmapOfPixels(AreaAverageKeyed(ReadResource(id), width, height, PixelOf(key), PixelOf(ground)));
}

HBITMAP LoadArtForDpi(UINT id, UINT largeId, SIZE size, int dpi)
{
    if (ArtSetFor(dpi) == 1)
        return ::LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCEA(id));
    return LoadScaledArt(largeId, ScaleToDpi(size.cx, dpi), ScaleToDpi(size.cy, dpi));
}

HBITMAP LoadKeyedArtForDpi(UINT id, UINT largeId, SIZE size, int dpi, COLORREF key, COLORREF ground)
{
    if (ArtSetFor(dpi) == 1)
        return ::LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCEA(id));
    return LoadScaledKeyedArt(largeId, ScaleToDpi(size.cx, dpi), ScaleToDpi(size.cy, dpi), key, ground);
}
