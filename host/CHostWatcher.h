#pragma once
#include <windows.h>
#include <memory>
#include <string>

class CHostChannel;

// Posted to the main window when the host shows another visual. lParam owns
// a std::string with the visual's name: take it with TakeHostVisName.
constexpr UINT WM_HOSTVISCHANGED = WM_APP + 1;
std::unique_ptr<std::string> TakeHostVisName(LPARAM lParam);

// Watches the host's change event on a thread of its own and tells a window
// each time the host's visual name changes to another non-empty name. The
// thread touches nothing but the record, handles of its own to the two
// events, and PostMessage: it outlives neither, whatever its owners close.
class CHostWatcher {
public:
    CHostWatcher() = default;
    CHostWatcher(const CHostWatcher&) = delete;
    CHostWatcher& operator=(const CHostWatcher&) = delete;
    ~CHostWatcher();

    // A stop signal left over from before is cleared, so the new thread
    // does not end at once. The channel's record must stay mapped until
    // Stop has succeeded.
    bool Start(const CHostChannel& channel, HANDLE stopEvent, HWND notify);
    // Signals the thread and waits for it to leave. False when it is still
    // there after the wait: it is still running, and the record must stay mapped.
    bool Stop();
    bool IsRunning() const { return m_hThread != nullptr; }

    // Notices the window has not handled yet, when it goes away.
    static void DiscardPendingNotices(HWND notify);

private:
    struct Watch;
    static DWORD WINAPI HostWatchThread(LPVOID watch);
    void Forget();

    HANDLE m_hThread = nullptr;
    HANDLE m_hStopEvent = nullptr;  // our own handle to the stop event
};
