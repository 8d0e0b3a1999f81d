#pragma once
#include <windows.h>

// The hourglass while a blocking operation runs; the old cursor comes back
// when this goes out of scope.
class CWaitCursor {
public:
    CWaitCursor() : m_hOldCursor(::SetCursor(::LoadCursor(nullptr, IDC_WAIT))) {}
    ~CWaitCursor() { ::SetCursor(m_hOldCursor); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

private:
    HCURSOR m_hOldCursor;
};
