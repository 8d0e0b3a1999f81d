#pragma once
#include <windows.h>
#include <string>
#include "testing/probe/ProbeRecord.h"

// Helpers the sub-commands share.

// "left,top,right,bottom".
std::string RectText(const RECT& rect);
std::string WindowTextOf(HWND window);
std::string ClassNameOf(HWND window);
// The window named by the request's field (a decimal handle), or null.
HWND WindowField(const ProbeRecord& request, const std::string& key = "hwnd");
// The window's handle, class, text, styles, id, and window and client
// rectangles in screen coordinates, added to record.
void DescribeWindow(HWND window, ProbeRecord& record);
// The request's "timeout" in milliseconds, or fallback.
DWORD TimeoutField(const ProbeRecord& request, DWORD fallback = 10000);

// Polls until a deadline.
class Deadline {
public:
    explicit Deadline(DWORD milliseconds) : m_start(::GetTickCount()), m_length(milliseconds) {}
    bool Passed() const { return ::GetTickCount() - m_start >= m_length; }

private:
    DWORD m_start;
    DWORD m_length;
};

constexpr DWORD kPollMilliseconds = 50;
