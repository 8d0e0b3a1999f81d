#pragma once
#include <windows.h>
#include <vfw.h>
#include <string>
#include "animation/AnimationLayout.h"
#include "framework/CBitmap.h"
#include "framework/CDC.h"
#include "framework/CWnd.h"

// Plays a video clip in a child window, frame by frame on a timer, over the
// parent's pixels: one colour of the clip is transparent. The window is a
// control of a dialog that this object subclasses before opening a clip.
class CAnimationWnd : public CWnd {
public:
    CAnimationWnd();
    ~CAnimationWnd() override;

    // The size the next clip opened is shown at, smaller than its frames:
    // each frame is averaged down to it, its transparent colour kept, its
    // edges blended with ground. An empty size shows the frames as they are.
    void SetFrameSize(SIZE size, COLORREF ground);
    // A clip in the resources (type "AVI"), played from a temporary copy.
    HRESULT Open(UINT resourceId, DWORD flags, COLORREF transparent);
    // A clip file. A clip without frames or whose first frame cannot be
    // decoded is refused: nothing plays and the window shows what is behind it.
    HRESULT OpenFile(const std::string& path, DWORD flags, COLORREF transparent);
    // 1 when the frame timer started; while playing, only rewinds (0).
    int Play(bool playOnce);
    int Stop(bool rewind);
    // Releases the clip and deletes the temporary copy.
    void Close();

protected:
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    static void CALLBACK AnimationTimerProc(HWND hWnd, UINT msg, UINT_PTR id, DWORD time);
    static std::string MakeTempName();
    bool WriteTempFile(const void* data, DWORD size);
    HRESULT Refuse(HRESULT reason);
    void PlaceInWindow(SIZE frame);
    void NextFrame();
    COLORREF GetKeyColour();
    void NewBackground(HDC like);
    void CreateSolidBackground();
    void FillSolidBackground();
    void CaptureBackground();
    void ReleaseBackground();
    void DrawFrame(HDC dc);
    void DrawScaledFrame(HDC dc, const BITMAPINFOHEADER* frame);
    void DrawTransparent(int x, int y, int w, int h, HDC source, HDC destination);

    DWORD m_dwFlags = 0;
    std::string m_strTempFile;
    int m_nDrawHeight = 0;
    int m_nDrawWidth = 0;
    int m_nOffsetY = 0;
    int m_nOffsetX = 0;
    bool m_bPlayOnce = false;
    bool m_bCapturePending = true;
    HGDIOBJ m_hOldBitmap = nullptr;
    CBitmap m_bmpBackground;
    CDC m_dcBackground;
    COLORREF m_crTransparent = 0;
    HDRAWDIB m_hDrawDib = nullptr;
    UINT m_nPeriod = 0;
    UINT m_nFrames = 0;
    UINT m_nFrame = 0;
    PGETFRAME m_pGetFrame = nullptr;
    bool m_bPlaying = false;
    PAVISTREAM m_pStream = nullptr;
    SIZE m_shownSize{};
    COLORREF m_crGround = 0;
};
