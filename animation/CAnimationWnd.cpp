#include "animation/CAnimationWnd.h"
#include <cstdlib>
#include "framework/CClientDC.h"
#include "framework/CPaintDC.h"
#include "framework/CSelectGuard.h"
#include "framework/CWinApp.h"
#include "skin/ScaledArt.h"

namespace {
const UINT_PTR kFrameTimer = 111;
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kWhite = RGB(255, 255, 255);

// The stream's frame rectangle, or the decoded bitmap's size where the file
// leaves the rectangle empty (as our own clip does).
SIZE FrameSize(PAVISTREAM stream, const BITMAPINFOHEADER* first)
{
    AVISTREAMINFOA info{};
    ::AVIStreamInfoA(stream, &info, sizeof info);
    SIZE size{info.rcFrame.right - info.rcFrame.left, info.rcFrame.bottom - info.rcFrame.top};
    if (size.cx <= 0 || size.cy <= 0)
        size = {first->biWidth, std::labs(first->biHeight)};
    return size;
}
}

CAnimationWnd::CAnimationWnd()
{
    ::AVIFileInit();
    m_hDrawDib = ::DrawDibOpen();
}

CAnimationWnd::~CAnimationWnd()
{
    Close();
    if (m_hDrawDib)
        ::DrawDibClose(m_hDrawDib);
    ::AVIFileExit();
}

HRESULT CAnimationWnd::Open(UINT resourceId, DWORD flags, COLORREF transparent)
{
    if (!::IsWindow(m_hWnd))
        return E_FAIL;
    if (m_pStream)
        Close();
    HINSTANCE module = AfxGetResourceHandle();
    HRSRC resource = ::FindResourceA(module, MAKEINTRESOURCEA(LOWORD(resourceId)), "AVI");
    HGLOBAL loaded = resource ? ::LoadResource(module, resource) : nullptr;
    const void* data = loaded ? ::LockResource(loaded) : nullptr;
    if (!data || !WriteTempFile(data, ::SizeofResource(module, resource)))
        return E_FAIL;
    return OpenFile(m_strTempFile, flags, transparent);
}

// The clip goes through a file because Video for Windows reads only files.
bool CAnimationWnd::WriteTempFile(const void* data, DWORD size)
{
    m_strTempFile = MakeTempName();
    HANDLE file = ::CreateFileA(m_strTempFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        m_strTempFile.clear();
        return false;
    }
    DWORD written = 0;
    bool complete = ::WriteFile(file, data, size, &written, nullptr) && written == size;
    ::CloseHandle(file);
    if (!complete) {
        ::DeleteFileA(m_strTempFile.c_str());
        m_strTempFile.clear();
    }
    return complete;
}

// The sleep on every try makes the next name take a later tick.
std::string CAnimationWnd::MakeTempName()
{
    char folder[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, folder);
    std::string path;
    do {
        std::string name = TempClipName(::GetTickCount());
        ::Sleep(100);
        path = folder + name;
    } while (::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES);
    return path;
}

void CAnimationWnd::SetFrameSize(SIZE size, COLORREF ground)
{
    m_shownSize = size;
    m_crGround = ground;
}

HRESULT CAnimationWnd::OpenFile(const std::string& path, DWORD flags, COLORREF transparent)
{
    if (!::IsWindow(m_hWnd))
        return E_FAIL;
    if (m_pStream)
        Close();
    HRESULT opened =
        ::AVIStreamOpenFromFileA(&m_pStream, path.c_str(), streamtypeVIDEO, 0, OF_SHARE_EXCLUSIVE, nullptr);
    if (FAILED(opened)) {
        m_pStream = nullptr;
        return Refuse(opened);
    }
    m_dwFlags = flags;
    m_crTransparent = transparent;
    m_pGetFrame = ::AVIStreamGetFrameOpen(m_pStream, nullptr);
    if (!m_pGetFrame)
        return Refuse(AVIERR_NOCOMPRESSOR);
    LONG length = ::AVIStreamLength(m_pStream);
    auto* first = length > 0 ? static_cast<const BITMAPINFOHEADER*>(::AVIStreamGetFrame(m_pGetFrame, 0)) : nullptr;
    if (!first)
        return Refuse(AVIERR_BADFORMAT);
    m_nFrames = static_cast<UINT>(length);
    LONG endTime = ::AVIStreamSampleToTime(m_pStream, ::AVIStreamStart(m_pStream) + length);
    m_nPeriod = FramePeriod(endTime, m_nFrames, flags);
    PlaceInWindow(m_shownSize.cx > 0 ? m_shownSize : FrameSize(m_pStream, first));
    if (flags & ANIM_SOLIDBACK)
        CreateSolidBackground();
    else if (flags & ANIM_KEYFROMFRAME)
        m_crTransparent = GetKeyColour();
    if (flags & ANIM_AUTOPLAY)
        Play(false);
    return opened;
}

HRESULT CAnimationWnd::Refuse(HRESULT reason)
{
    Close();
    return reason;
}

void CAnimationWnd::PlaceInWindow(SIZE frame)
{
    RECT client = GetClientRect();
    FramePlacement placement = PlaceFrame(m_dwFlags, client.right, client.bottom, frame.cx, frame.cy);
    m_nDrawWidth = placement.drawWidth;
    m_nDrawHeight = placement.drawHeight;
    m_nOffsetX = placement.offsetX;
    m_nOffsetY = placement.offsetY;
    if (!placement.resizeToFrame)
        return;
    const UINT quietly = SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE;
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, frame.cx, frame.cy, SWP_NOMOVE | quietly);
    if (!(m_dwFlags & ANIM_KEEPCENTER))
        return;
    RECT outer = GetWindowRect();
    ::MapWindowPoints(nullptr, ::GetParent(m_hWnd), reinterpret_cast<POINT*>(&outer), 2);
    ::SetWindowPos(m_hWnd, nullptr, outer.left + placement.shiftX, outer.top + placement.shiftY, 0, 0,
                   SWP_NOSIZE | quietly);
}

COLORREF CAnimationWnd::GetKeyColour()
{
    return KeyColourOfFrame(static_cast<const unsigned char*>(::AVIStreamGetFrame(m_pGetFrame, 0)));
}

int CAnimationWnd::Play(bool playOnce)
{
    if (!m_pStream)
        return 0;
    m_bPlayOnce = playOnce;
    if (m_bPlaying) {
        m_nFrame = 0;
        return 0;
    }
    Invalidate(TRUE);
    if (!::SetTimer(m_hWnd, kFrameTimer, m_nPeriod, &CAnimationWnd::AnimationTimerProc))
        return 0;
    m_bPlaying = true;
    return 1;
}

int CAnimationWnd::Stop(bool rewind)
{
    bool window = ::IsWindow(m_hWnd);
    if (rewind) {
        m_nFrame = 0;
        if (window)
            Invalidate(TRUE);
    }
    if (m_bPlaying) {
        if (window)
            ::KillTimer(m_hWnd, kFrameTimer);
        m_bPlaying = false;
    }
    return 1;
}

void CALLBACK CAnimationWnd::AnimationTimerProc(HWND hWnd, UINT, UINT_PTR, DWORD)
{
    if (auto* animation = dynamic_cast<CAnimationWnd*>(CWnd::FromHandle(hWnd)))
        animation->NextFrame();
}

void CAnimationWnd::NextFrame()
{
    if (++m_nFrame >= m_nFrames) {
        m_nFrame = 0;
        if (m_bPlayOnce) {
            Stop(true);
            return;
        }
    }
    Invalidate(TRUE);
}

void CAnimationWnd::Close()
{
    bool wasOpen = m_pStream != nullptr;
    Stop(false);
    if (m_pGetFrame)
        ::AVIStreamGetFrameClose(m_pGetFrame);
    if (m_pStream)
        ::AVIStreamRelease(m_pStream);
    m_pGetFrame = nullptr;
    m_pStream = nullptr;
    ReleaseBackground();
    if (!m_strTempFile.empty())
        ::DeleteFileA(m_strTempFile.c_str());
    m_strTempFile.clear();
    m_nFrame = m_nFrames = 0;
    m_nOffsetX = m_nOffsetY = 0;
    m_bCapturePending = true;
    // The last frame would otherwise stay on the screen: the window paints
    // nothing of its own without a clip.
    HWND parent = ::IsWindow(m_hWnd) ? ::GetParent(m_hWnd) : nullptr;
    if (wasOpen && parent) {
        RECT area = GetWindowRect();
        ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&area), 2);
        ::InvalidateRect(parent, &area, TRUE);
    }
}

bool CAnimationWnd::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (msg) {
    case WM_WINDOWPOSCHANGING:
        if (!(reinterpret_cast<const WINDOWPOS*>(lParam)->flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)))
            m_bCapturePending = true;
        return false;
    case WM_ERASEBKGND:
        // The frame is composed over the captured background in WM_PAINT.
        if (m_bCapturePending) {
            m_bCapturePending = false;
            CaptureBackground();
        }
        result = TRUE;
        return true;
    case WM_PAINT: {
        CPaintDC dc(m_hWnd);
        if (m_pStream)
            DrawFrame(dc);
        result = 0;
        return true;
    }
    case WM_SYSCOLORCHANGE:
        result = Default();
        if (m_dcBackground && (m_dwFlags & ANIM_SOLIDBACK))
            FillSolidBackground();
        return true;
    case WM_DESTROY:
        Stop(false);
        return false;
    }
    return CWnd::OnMessage(msg, wParam, lParam, result);
}

// Replaces the background with an empty bitmap of the client's size, made for like.
void CAnimationWnd::NewBackground(HDC like)
{
    RECT client = GetClientRect();
    ReleaseBackground();
    m_dcBackground.CreateCompatibleDC(like);
    m_bmpBackground.CreateCompatibleBitmap(like, client.right, client.bottom);
    m_hOldBitmap = ::SelectObject(m_dcBackground, m_bmpBackground);
}

void CAnimationWnd::CreateSolidBackground()
{
    CClientDC own(m_hWnd);
    NewBackground(own);
    FillSolidBackground();
}

void CAnimationWnd::FillSolidBackground()
{
    RECT client = GetClientRect();
    ::FillRect(m_dcBackground, &client, ::GetSysColorBrush(COLOR_WINDOW));
}

void CAnimationWnd::CaptureBackground()
{
    HWND parent = ::GetParent(m_hWnd);
    if (!m_pStream || (m_dwFlags & ANIM_SOLIDBACK) || !parent)
        return;
    POINT corner{0, 0};
    ::MapWindowPoints(m_hWnd, parent, &corner, 1);
    CClientDC parentDC(parent);
    NewBackground(parentDC);
    RECT client = GetClientRect();
    ::BitBlt(m_dcBackground, 0, 0, client.right, client.bottom, parentDC, corner.x, corner.y, SRCCOPY);
}

void CAnimationWnd::ReleaseBackground()
{
    if (m_hOldBitmap)
        ::SelectObject(m_dcBackground, m_hOldBitmap);
    m_hOldBitmap = nullptr;
    m_dcBackground.DeleteDC();
    m_bmpBackground.DeleteObject();
}

// Composed off screen and copied in one piece, so that the clip never flickers.
void CAnimationWnd::DrawFrame(HDC dc)
{
    auto* frame = static_cast<BITMAPINFOHEADER*>(::AVIStreamGetFrame(m_pGetFrame, m_nFrame));
    if (!frame)
        return;
    RECT client = GetClientRect();
    CDC memory;
    memory.CreateCompatibleDC(dc);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(dc, client.right, client.bottom);
    CSelectGuard selected(memory, bitmap);
    ::BitBlt(memory, 0, 0, client.right, client.bottom, m_dcBackground, 0, 0, SRCCOPY);
    if (m_shownSize.cx > 0)
        DrawScaledFrame(memory, frame);
    else
        ::DrawDibDraw(m_hDrawDib, memory, client.left + m_nOffsetX, client.top + m_nOffsetY, m_nDrawWidth,
                      m_nDrawHeight, frame, nullptr, 0, 0, frame->biWidth, std::labs(frame->biHeight), 0);
    DrawTransparent(client.left, client.top, client.right, client.bottom, memory, dc);
}

// DrawDib would stretch by dropping pixels: the frame is decoded at its own
// size and averaged down instead.
void CAnimationWnd::DrawScaledFrame(HDC dc, const BITMAPINFOHEADER* frame)
{
    Pixels natural;
    natural.width = frame->biWidth;
    natural.height = std::labs(frame->biHeight);
    natural.data.resize(static_cast<size_t>(natural.width) * static_cast<size_t>(natural.height));
    CBitmap decoded;
    if (!decoded.Attach(CreateBitmapOfPixels(natural)))
        return;
    CDC decodedDC;
    decodedDC.CreateCompatibleDC(dc);
    {
        CSelectGuard selected(decodedDC, decoded);
        ::DrawDibDraw(m_hDrawDib, decodedDC, 0, 0, natural.width, natural.height, const_cast<BITMAPINFOHEADER*>(frame),
                      nullptr, 0, 0, natural.width, natural.height, 0);
        ::GdiFlush();
    }
    CBitmap shown;
    shown.Attach(CreateBitmapOfPixels(AreaAverageKeyed(ReadPixels(decoded), m_nDrawWidth, m_nDrawHeight,
                                                       PixelOf(m_crTransparent), PixelOf(m_crGround))));
    CSelectGuard selected(decodedDC, shown);
    ::BitBlt(dc, m_nOffsetX, m_nOffsetY, m_nDrawWidth, m_nDrawHeight, decodedDC, 0, 0, SRCCOPY);
}

// A monochrome mask marks the transparent pixels (1) of the frame: they
// become black in the source and keep the background in the result, opaque
// pixels the other way round; OR joins the two.
void CAnimationWnd::DrawTransparent(int x, int y, int w, int h, HDC source, HDC destination)
{
    CDC maskDC;
    maskDC.CreateCompatibleDC(source);
    CBitmap mask;
    mask.CreateBitmap(w, h, 1, 1, nullptr);
    CSelectGuard maskSelected(maskDC, mask);
    CDC resultDC;
    resultDC.CreateCompatibleDC(destination);
    CBitmap result;
    result.CreateCompatibleBitmap(destination, w, h);
    CSelectGuard resultSelected(resultDC, result);

    ::BitBlt(resultDC, 0, 0, w, h, m_dcBackground, 0, 0, SRCCOPY);
    ::PatBlt(maskDC, 0, 0, w, h, WHITENESS);
    ::SetBkColor(source, m_crTransparent);
    ::BitBlt(maskDC, m_nOffsetX, m_nOffsetY, m_nDrawWidth, m_nDrawHeight, source, m_nOffsetX, m_nOffsetY, SRCCOPY);
    ::SetBkColor(source, kBlack);
    ::SetTextColor(source, kWhite);
    ::BitBlt(source, 0, 0, w, h, maskDC, 0, 0, SRCAND);
    ::SetBkColor(resultDC, kWhite);
    ::SetTextColor(resultDC, kBlack);
    ::BitBlt(resultDC, 0, 0, w, h, maskDC, 0, 0, SRCAND);
    ::BitBlt(resultDC, 0, 0, w, h, source, 0, 0, SRCPAINT);
    ::BitBlt(destination, x, y, w, h, resultDC, 0, 0, SRCCOPY);
}
