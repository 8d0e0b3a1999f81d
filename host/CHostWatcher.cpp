#include "host/CHostWatcher.h"
#include "host/CHostChannel.h"
#include "host/HostFacts.h"
#include "host/HostRecord.h"

namespace {
HANDLE Duplicate(HANDLE handle)
{
    HANDLE copy = nullptr;
    HANDLE process = ::GetCurrentProcess();
    if (!handle || !::DuplicateHandle(process, handle, process, &copy, 0, FALSE, DUPLICATE_SAME_ACCESS))
        return nullptr;
    return copy;
}

void CloseIfOpen(HANDLE handle)
{
    if (handle)
        ::CloseHandle(handle);
}
}

// What the thread works with, all its own: it frees it when it leaves.
struct CHostWatcher::Watch {
    ~Watch()
    {
        CloseIfOpen(hostEvent);
        CloseIfOpen(stopEvent);
    }
    void Run() const;
    void Notify(const std::string& name) const;

    HANDLE hostEvent = nullptr;
    HANDLE stopEvent = nullptr;
    const char* record = nullptr;
    HWND notify = nullptr;
};

std::unique_ptr<std::string> TakeHostVisName(LPARAM lParam)
{
    return std::unique_ptr<std::string>(reinterpret_cast<std::string*>(lParam));
}

CHostWatcher::~CHostWatcher()
{
    // A thread that did not leave ends by itself once it wakes: it needs nothing of ours.
    if (!Stop())
        Forget();
}

bool CHostWatcher::Start(const CHostChannel& channel, HANDLE stopEvent, HWND notify)
{
    if (IsRunning() || !channel.GetEvent() || !channel.GetRecord())
        return false;
    auto watch = std::make_unique<Watch>();
    watch->hostEvent = Duplicate(channel.GetEvent());
    watch->stopEvent = Duplicate(stopEvent);
    watch->record = channel.GetRecord();
    watch->notify = notify;
    m_hStopEvent = Duplicate(stopEvent);
    if (!watch->hostEvent || !watch->stopEvent || !m_hStopEvent) {
        Forget();
        return false;
    }
    ::ResetEvent(stopEvent);
    m_hThread = ::CreateThread(nullptr, 0, &CHostWatcher::HostWatchThread, watch.get(), CREATE_SUSPENDED, nullptr);
    if (!m_hThread) {
        Forget();
        return false;
    }
    watch.release();  // the thread's now
    ::SetThreadPriority(m_hThread, THREAD_PRIORITY_BELOW_NORMAL);
    ::ResumeThread(m_hThread);
    return true;
}

bool CHostWatcher::Stop()
{
    if (!IsRunning())
        return true;
    ::SetEvent(m_hStopEvent);
    if (::WaitForSingleObject(m_hThread, host::kWatcherStopWaitMs) != WAIT_OBJECT_0)
        return false;
    Forget();
    return true;
}

void CHostWatcher::Forget()
{
    CloseIfOpen(m_hThread);
    CloseIfOpen(m_hStopEvent);
    m_hThread = nullptr;
    m_hStopEvent = nullptr;
}

void CHostWatcher::DiscardPendingNotices(HWND notify)
{
    MSG msg;
    while (::PeekMessageA(&msg, notify, WM_HOSTVISCHANGED, WM_HOSTVISCHANGED, PM_REMOVE))
        TakeHostVisName(msg.lParam);
}

DWORD WINAPI CHostWatcher::HostWatchThread(LPVOID watch)
{
    std::unique_ptr<Watch> owned(static_cast<Watch*>(watch));
    owned->Run();
    return 0;
}

void CHostWatcher::Watch::Run() const
{
    HANDLE handles[2] = {hostEvent, stopEvent};
    std::string lastName;
    for (;;) {
        DWORD woken = ::WaitForMultipleObjects(2, handles, FALSE, INFINITE);
        if (woken == WAIT_OBJECT_0 + 1 || woken == WAIT_FAILED)
            return;
        if (woken != WAIT_OBJECT_0)
            continue;
        std::string name = VisNameFromRecord(record, host::kInfoSize);
        if (name.empty() || name == lastName)
            continue;
        lastName = name;
        Notify(name);
    }
}

void CHostWatcher::Watch::Notify(const std::string& name) const
{
    auto notice = std::make_unique<std::string>(name);
    if (::PostMessageA(notify, WM_HOSTVISCHANGED, 0, reinterpret_cast<LPARAM>(notice.get())))
        notice.release();  // the window owns it now
}
