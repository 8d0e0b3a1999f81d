#include "host/CHostWatcher.h"
#include "host/CHostChannel.h"
#include "host/HostFacts.h"

std::unique_ptr<std::string> TakeHostVisName(LPARAM lParam)
{
    return std::unique_ptr<std::string>(reinterpret_cast<std::string*>(lParam));
}

bool CHostWatcher::Start(const CHostChannel& channel, HANDLE stopEvent, HWND notify)
{
    if (IsRunning() || !channel.GetEvent())
        return false;
    m_pChannel = &channel;
    m_hStopEvent = stopEvent;
    m_hNotify = notify;
    ::ResetEvent(stopEvent);
    m_hThread = ::CreateThread(nullptr, 0, &CHostWatcher::HostWatchThread, this, CREATE_SUSPENDED, nullptr);
    if (!m_hThread)
        return false;
    ::SetThreadPriority(m_hThread, THREAD_PRIORITY_BELOW_NORMAL);
    ::ResumeThread(m_hThread);
    return true;
}

bool CHostWatcher::Stop()
{
    if (!IsRunning())
        return true;
    ::SetEvent(m_hStopEvent);
    bool left = ::WaitForSingleObject(m_hThread, host::kWatcherStopWaitMs) == WAIT_OBJECT_0;
    if (!left)
        return false;
    ::CloseHandle(m_hThread);
    m_hThread = nullptr;
    return true;
}

void CHostWatcher::DiscardPendingNotices(HWND notify)
{
    MSG msg;
    while (::PeekMessageA(&msg, notify, WM_HOSTVISCHANGED, WM_HOSTVISCHANGED, PM_REMOVE))
        TakeHostVisName(msg.lParam);
}

DWORD WINAPI CHostWatcher::HostWatchThread(LPVOID watcher)
{
    static_cast<CHostWatcher*>(watcher)->Watch();
    return 0;
}

void CHostWatcher::Watch()
{
    HANDLE handles[2] = {m_pChannel->GetEvent(), m_hStopEvent};
    std::string lastName;
    for (;;) {
        DWORD woken = ::WaitForMultipleObjects(2, handles, FALSE, INFINITE);
        if (woken == WAIT_OBJECT_0 + 1)
            return;
        if (woken == WAIT_FAILED)
            return;  // a handle is gone: nothing left to watch
        std::string name;
        if (woken != WAIT_OBJECT_0 || !m_pChannel->GetVisName(name) || name == lastName)
            continue;
        lastName = name;
        Notify(name);
    }
}

void CHostWatcher::Notify(const std::string& name) const
{
    auto notice = std::make_unique<std::string>(name);
    if (::PostMessageA(m_hNotify, WM_HOSTVISCHANGED, 0, reinterpret_cast<LPARAM>(notice.get())))
        notice.release();  // the window owns it now
}
