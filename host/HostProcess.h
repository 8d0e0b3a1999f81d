#pragma once
#include <windows.h>
#include <string>
#include "host/KeySteps.h"

// The running host: finding it, stepping it through its visuals, and
// quitting and starting it through its own command line.

// The host's main window, or null (stored when window is given).
bool FindHostWindow(HWND* window);

// Posts the steps' key presses to the host window, 20 ms apart. False, with
// nothing sent, when our input cannot be joined with the host thread's.
bool SendKeySteps(HWND hostWnd, const KeySteps& steps);

enum class HostQuit {
    NotOpened,    // its process could not be opened: not told to quit
    Exited,
    StillRunning  // told to quit, but still there after kExitWaitMs
};
// Tells the host that owns hostWnd to quit and waits for its process to end
// and its window to be gone.
HostQuit QuitHost(HWND hostWnd, const std::string& hostExe);

// Starts the host again and, when it was playing (position above 0), once
// its window is there, resumes playback at position. Without a window
// within kWindowWaitMs the playback switches are not sent.
void RestartHost(const std::string& hostExe, DWORD position);
