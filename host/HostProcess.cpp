#include "host/HostProcess.h"
#include <cstdio>
#include "host/HostFacts.h"

namespace {
const DWORD kKeyPauseMs = 20;
const DWORD kWindowPollMs = 50;

// The executable is named apart from the command line, so a path with
// blanks can never start another program; the host reads its switch from
// the line as ever. Waits up to waitMs for that start to end.
void RunHost(const std::string& hostExe, const std::string& switches, WORD show, DWORD waitMs)
{
    std::string commandLine = hostExe + switches;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = show;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA(hostExe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &process))
        return;
    if (waitMs)
        ::WaitForSingleObject(process.hProcess, waitMs);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
}

bool WaitForHostWindow()
{
    DWORD start = ::GetTickCount();
    while (!FindHostWindow(nullptr)) {
        if (::GetTickCount() - start >= host::kWindowWaitMs)
            return false;
        ::Sleep(kWindowPollMs);
    }
    return true;
}

// A process ends before the system has destroyed its last window.
void WaitForWindowGone(HWND window)
{
    DWORD start = ::GetTickCount();
    while (::IsWindow(window) && ::GetTickCount() - start < host::kWindowWaitMs)
        ::Sleep(kWindowPollMs);
}
}

bool FindHostWindow(HWND* window)
{
    HWND found = ::FindWindowA(host::kWindowClass, nullptr);
    if (found && !::IsWindow(found))
        found = nullptr;
    if (window)
        *window = found;
    return found != nullptr;
}

bool SendKeySteps(HWND hostWnd, const KeySteps& steps)
{
    DWORD ourThread = ::GetCurrentThreadId();
    DWORD hostThread = ::GetWindowThreadProcessId(hostWnd, nullptr);
    if (!hostThread || !::AttachThreadInput(ourThread, hostThread, TRUE))
        return false;
    WPARAM key = steps.forward ? host::kKeyNextVisual : host::kKeyPreviousVisual;
    LPARAM down = static_cast<LPARAM>(steps.forward ? host::kKeyNextDown : host::kKeyPreviousDown);
    LPARAM up = static_cast<LPARAM>(steps.forward ? host::kKeyNextUp : host::kKeyPreviousUp);
    for (int press = 0; press < steps.presses; ++press) {
        // A window gone meanwhile just refuses the posts.
        ::PostMessageA(hostWnd, WM_KEYDOWN, key, down);
        ::PostMessageA(hostWnd, WM_KEYUP, key, up);
        ::Sleep(kKeyPauseMs);
    }
    ::AttachThreadInput(ourThread, hostThread, FALSE);
    return true;
}

HostQuit QuitHost(HWND hostWnd, const std::string& hostExe)
{
    DWORD processId = 0;
    ::GetWindowThreadProcessId(hostWnd, &processId);
    // Waiting needs no more right than this, which a host running with higher rights still grants.
    HANDLE process = processId ? ::OpenProcess(SYNCHRONIZE, FALSE, processId) : nullptr;
    if (!process)
        return HostQuit::NotOpened;
    RunHost(hostExe, host::kSwitchQuit, SW_HIDE, 0);
    bool exited = ::WaitForSingleObject(process, host::kExitWaitMs) == WAIT_OBJECT_0;
    ::CloseHandle(process);
    if (!exited)
        return HostQuit::StillRunning;
    // Or the wait for the new window would find the old one.
    WaitForWindowGone(hostWnd);
    return HostQuit::Exited;
}

void RestartHost(const std::string& hostExe, DWORD position)
{
    RunHost(hostExe, "", SW_SHOW, 0);
    if (position == 0 || !WaitForHostWindow())
        return;
    // -play must have reached the host before -scanto, or the jump could be lost.
    RunHost(hostExe, host::kSwitchPlay, SW_SHOW, host::kSwitchWaitMs);
    char scanTo[32];
    std::snprintf(scanTo, sizeof scanTo, host::kSwitchScanTo, static_cast<unsigned long>(position));
    RunHost(hostExe, scanTo, SW_SHOWNA, 0);
}
