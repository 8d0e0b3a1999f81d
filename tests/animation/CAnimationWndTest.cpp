#include <gtest/gtest.h>
#include <windows.h>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>
#include "animation/CAnimationWnd.h"
#include "tests/GdiObjectCount.h"
#include "tests/TempFiles.h"
#include "tests/TempFolder.h"
#include "tests/skin/SkinTestWindows.h"

namespace {
const COLORREF kParentColor = RGB(0x40, 0x80, 0xC0);
const COLORREF kGreen = RGB(0, 255, 0);
const UINT kClip = 101;
const UINT kNoClip = 102;
const DWORD kOurFlags = ANIM_AUTOPLAY | ANIM_KEYFROMFRAME;
const UINT_PTR kFrameTimer = 111;

void Pump(DWORD milliseconds)
{
    DWORD start = ::GetTickCount();
    do {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&msg);
        ::Sleep(5);
    } while (::GetTickCount() - start < milliseconds);
}

std::vector<unsigned char> ClipBytes()
{
    HRSRC resource = ::FindResourceA(nullptr, MAKEINTRESOURCEA(kClip), "AVI");
    auto* data = static_cast<const unsigned char*>(::LockResource(::LoadResource(nullptr, resource)));
    return std::vector<unsigned char>(data, data + ::SizeofResource(nullptr, resource));
}

// Overwrites 4 bytes at offset behind the first occurrence of chunk.
void Patch(std::vector<unsigned char>& clip, const std::string& chunk, size_t offset, const char (&value)[5])
{
    auto at = std::search(clip.begin(), clip.end(), chunk.begin(), chunk.end());
    ASSERT_NE(at, clip.end());
    std::copy(value, value + 4, at + static_cast<long>(offset));
}

// Our clip's headers with the frame count set to 0, an empty frame list and no index.
std::vector<unsigned char> ClipWithoutFrames()
{
    std::vector<unsigned char> clip = ClipBytes();
    static const char kMovi[] = "movi";
    auto list = std::search(clip.begin(), clip.end(), kMovi, kMovi + 4) - 8;
    clip.erase(list, clip.end());
    static const unsigned char kEmptyList[] = {'L', 'I', 'S', 'T', 4, 0, 0, 0, 'm', 'o', 'v', 'i'};
    clip.insert(clip.end(), std::begin(kEmptyList), std::end(kEmptyList));
    std::uint32_t riffSize = static_cast<std::uint32_t>(clip.size() - 8);
    std::memcpy(&clip[4], &riffSize, 4);
    Patch(clip, "avih", 8 + 16, "\0\0\0\0");  // total frames
    Patch(clip, "strh", 8 + 32, "\0\0\0\0");  // stream length
    return clip;
}

// An animation control, hidden until Show, on a solid parent that has
// painted itself, as the main window's control 1002 is before the dialog
// first shows.
struct AnimationFixture {
    AnimationFixture() : parent(kParentColor, 200, 200)
    {
        animation.SubclassWindow(CreateChild(parent, "STATIC", 20, 20, 40, 60, SS_LEFT, 0, 1002));
    }
    ~AnimationFixture()
    {
        if (animation.m_hWnd)
            ::DestroyWindow(animation.m_hWnd);
    }

    void Show()
    {
        ::ShowWindow(animation, SW_SHOWNA);
        Pump(50);
    }
    SIZE Size() const
    {
        RECT rect = animation.GetWindowRect();
        return {rect.right - rect.left, rect.bottom - rect.top};
    }
    // The window's pixels as they are on the screen, row by row.
    std::vector<COLORREF> Pixels() const
    {
        SIZE size = Size();
        std::vector<COLORREF> pixels;
        HDC dc = ::GetDC(animation);
        for (int y = 0; y < size.cy; ++y)
            for (int x = 0; x < size.cx; ++x)
                pixels.push_back(::GetPixel(dc, x, y));
        ::ReleaseDC(animation, dc);
        return pixels;
    }
    size_t Count(COLORREF color) const
    {
        std::vector<COLORREF> pixels = Pixels();
        return static_cast<size_t>(std::count(pixels.begin(), pixels.end(), color));
    }

    SolidParent parent;
    CAnimationWnd animation;
};

// Notes when the message loop retrieves the animation's frame timer.
class FrameTimerLog {
public:
    explicit FrameTimerLog(HWND window)
    {
        s_window = window;
        s_ticks.clear();
        m_hook = ::SetWindowsHookExA(WH_GETMESSAGE, &Hook, nullptr, ::GetCurrentThreadId());
    }
    ~FrameTimerLog() { ::UnhookWindowsHookEx(m_hook); }
    int Count() const { return static_cast<int>(s_ticks.size()); }
    double MeanPeriod() const { return static_cast<double>(s_ticks.back() - s_ticks.front()) / (Count() - 1); }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam)
    {
        auto* msg = reinterpret_cast<const MSG*>(lParam);
        if (code == HC_ACTION && wParam == PM_REMOVE && msg->hwnd == s_window && msg->message == WM_TIMER &&
            msg->wParam == kFrameTimer)
            s_ticks.push_back(::GetTickCount());
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static HWND s_window;
    static std::vector<DWORD> s_ticks;
    HHOOK m_hook;
};
HWND FrameTimerLog::s_window = nullptr;
std::vector<DWORD> FrameTimerLog::s_ticks;
}

TEST(CAnimationWnd, OurClipLoopsOverTheParentWithItsGreenTransparent)
{
    AnimationFixture fixture;
    ASSERT_EQ(fixture.animation.Open(kClip, kOurFlags, kGreen), S_OK);
    // Neither ANIM_CENTER nor ANIM_NORESIZE: the window takes the clip's size.
    EXPECT_EQ(fixture.Size().cx, 50);
    EXPECT_EQ(fixture.Size().cy, 120);
    fixture.Show();

    std::vector<COLORREF> first = fixture.Pixels();
    EXPECT_GT(std::count(first.begin(), first.end(), kParentColor), 500);
    EXPECT_EQ(std::count(first.begin(), first.end(), kGreen), 0);
    Pump(400);
    std::vector<COLORREF> later = fixture.Pixels();
    EXPECT_NE(first, later) << "no new frame after 400 ms";
    EXPECT_GT(std::count(later.begin(), later.end(), kParentColor), 500);
}

TEST(CAnimationWnd, OurClipShowsAFrameEvery145Milliseconds)
{
    AnimationFixture fixture;
    FrameTimerLog timer(fixture.animation);
    ASSERT_EQ(fixture.animation.Open(kClip, kOurFlags, kGreen), S_OK);
    fixture.Show();
    Pump(2000);
    ASSERT_GE(timer.Count(), 5);
    // Timers are never early; under load they may be late, but not by a third of a period.
    EXPECT_GE(timer.MeanPeriod(), 140.0);
    EXPECT_LE(timer.MeanPeriod(), 195.0);
}

TEST(CAnimationWnd, TheTemporaryClipLivesFromOpenUntilClose)
{
    std::set<std::string> before = TempFilesMatching("QTX*.AVI");
    {
        AnimationFixture fixture;
        ASSERT_EQ(fixture.animation.Open(kClip, kOurFlags, kGreen), S_OK);
        EXPECT_EQ(TempFilesMatching("QTX*.AVI").size(), before.size() + 1);
        // Opening again replaces the copy.
        ASSERT_EQ(fixture.animation.Open(kClip, kOurFlags, kGreen), S_OK);
        EXPECT_EQ(TempFilesMatching("QTX*.AVI").size(), before.size() + 1);
        fixture.Show();
        ::DestroyWindow(fixture.animation.m_hWnd);
        EXPECT_EQ(TempFilesMatching("QTX*.AVI").size(), before.size() + 1) << "the window's end closed the clip";
    }
    EXPECT_EQ(TempFilesMatching("QTX*.AVI"), before);
}

TEST(CAnimationWnd, AResourceThatIsNoClipIsRefusedAndLeavesNoFile)
{
    std::set<std::string> before = TempFilesMatching("QTX*.AVI");
    AnimationFixture fixture;
    EXPECT_TRUE(FAILED(fixture.animation.Open(kNoClip, kOurFlags, kGreen)));
    EXPECT_EQ(fixture.animation.Open(999, kOurFlags, kGreen), E_FAIL);
    EXPECT_EQ(TempFilesMatching("QTX*.AVI"), before);
    EXPECT_EQ(fixture.animation.Play(false), 0);
}

TEST(CAnimationWnd, ClipsWithoutFramesOrWithoutDecoderAreRefusedAndShowTheParent)
{
    TempFolder folder;
    std::vector<unsigned char> unknownCodec = ClipBytes();
    Patch(unknownCodec, "strh", 8 + 4, "zzzz");
    Patch(unknownCodec, "strf", 8 + 16, "zzzz");
    for (const auto& clip : {ClipWithoutFrames(), unknownCodec}) {
        std::string path = folder / "broken.avi";
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(clip.data()),
                                                    static_cast<std::streamsize>(clip.size()));
        AnimationFixture fixture;
        EXPECT_TRUE(FAILED(fixture.animation.OpenFile(path, kOurFlags, kGreen)));
        EXPECT_EQ(fixture.Size().cx, 40) << "a refused clip sized the window";
        EXPECT_EQ(fixture.animation.Play(false), 0);
        fixture.Show();
        Pump(200);
        EXPECT_EQ(fixture.Count(kParentColor), 40u * 60u);
    }
}

TEST(CAnimationWnd, PlayOnceStopsAtTheEndAndPlayWhilePlayingRewinds)
{
    AnimationFixture fixture;
    FrameTimerLog timer(fixture.animation);
    ASSERT_EQ(fixture.animation.Open(kClip, ANIM_KEYFROMFRAME | ANIM_FAST, kGreen), S_OK);
    fixture.Show();
    EXPECT_EQ(fixture.animation.Play(true), 1);
    EXPECT_EQ(fixture.animation.Play(true), 0);
    Pump(72 * 20 + 1500);
    int ticks = timer.Count();
    EXPECT_EQ(ticks, 20) << "one tick per frame, then the timer stops";
    Pump(300);
    EXPECT_EQ(timer.Count(), ticks);
    // Stopped and rewound: playing again starts the timer anew.
    EXPECT_EQ(fixture.animation.Play(false), 1);
    EXPECT_EQ(fixture.animation.Stop(false), 1);
}

TEST(CAnimationWnd, CenterKeepsTheWindowAndSolidBackUsesTheWindowColour)
{
    AnimationFixture fixture;
    ASSERT_EQ(fixture.animation.Open(kClip, ANIM_CENTER | ANIM_SOLIDBACK | ANIM_KEYFROMFRAME, kGreen), S_OK);
    EXPECT_EQ(fixture.Size().cx, 40);
    EXPECT_EQ(fixture.Size().cy, 60);
    fixture.Show();
    EXPECT_EQ(fixture.animation.Play(false), 1);
    Pump(100);
    EXPECT_EQ(fixture.Count(kParentColor), 0u);
    // ANIM_SOLIDBACK keeps the given colour transparent, whatever the first frame says.
    EXPECT_GT(fixture.Count(::GetSysColor(COLOR_WINDOW)), 100u);
}

TEST(CAnimationWnd, PlayingAndClosingLeakNoGdiObjects)
{
    ASSERT_TRUE(GdiCounterCounts());
    AnimationFixture fixture;
    ASSERT_EQ(fixture.animation.Open(kClip, kOurFlags, kGreen), S_OK);
    fixture.Show();
    Pump(300);
    fixture.animation.Close();
    DWORD before = GdiObjectCount();
    for (int round = 0; round < 3; ++round) {
        ASSERT_EQ(fixture.animation.Open(kClip, kOurFlags, kGreen), S_OK);
        Pump(500);
        fixture.animation.Close();
    }
    EXPECT_EQ(GdiObjectCount(), before);
}

TEST(CAnimationWnd, ASmallerFrameSizeAveragesTheClipDownKeepsItsGreenTransparentAndLeaksNothing)
{
    ASSERT_TRUE(GdiCounterCounts());
    AnimationFixture fixture;
    fixture.animation.SetFrameSize({38, 90}, RGB(12, 12, 26));
    ASSERT_EQ(fixture.animation.Open(kClip, kOurFlags, kGreen), S_OK);
    EXPECT_EQ(fixture.Size().cx, 38);
    EXPECT_EQ(fixture.Size().cy, 90);
    fixture.Show();
    Pump(300);
    DWORD before = GdiObjectCount();
    Pump(600);
    EXPECT_EQ(GdiObjectCount(), before) << "frames drawn meanwhile";
    EXPECT_GT(fixture.Count(kParentColor), 300u);
    EXPECT_EQ(fixture.Count(kGreen), 0u);
}

// Figures, not checks: run with --gtest_also_run_disabled_tests --gtest_filter=*IdleProcessorTime
namespace {
double ProcessorSeconds()
{
    FILETIME created, exited, kernel, user;
    ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto seconds = [](const FILETIME& time) {
        return static_cast<double>((static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

// A message loop that sleeps until a message comes, as the program's does; the share of one core it used.
double IdleShare(DWORD milliseconds)
{
    double before = ProcessorSeconds();
    UINT_PTR done = ::SetTimer(nullptr, 0, milliseconds, nullptr);
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) && !(msg.message == WM_TIMER && msg.wParam == done))
        ::DispatchMessageA(&msg);
    ::KillTimer(nullptr, done);
    return (ProcessorSeconds() - before) / (milliseconds / 1000.0);
}
}

TEST(CAnimationWndBenchmark, DISABLED_IdleProcessorTime)
{
    AnimationFixture fixture;
    ASSERT_EQ(fixture.animation.Open(kClip, kOurFlags, kGreen), S_OK);
    fixture.Show();
    std::printf("clip playing: %.2f %% of one core over 10 s\n", 100 * IdleShare(10000));
    fixture.animation.Stop(false);
    std::printf("clip stopped: %.2f %% of one core over 10 s\n", 100 * IdleShare(10000));
}
