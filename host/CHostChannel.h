#pragma once
#include <windows.h>
#include <string>

// The host's shared state record and its change event. Destroying the
// channel closes nothing: its owner closes it once no watcher reads it.
class CHostChannel {
public:
    CHostChannel() = default;
    CHostChannel(const CHostChannel&) = delete;
    CHostChannel& operator=(const CHostChannel&) = delete;
    virtual ~CHostChannel() = default;

    // Creates or opens the record and the event, and marks the record as
    // ours. False, with the channel closed, when the record cannot be mapped.
    bool Open();
    // Always true; closing a closed channel does nothing.
    bool Close();
    bool IsOpen() const { return m_pRecord != nullptr; }
    HANDLE GetEvent() const { return m_hEvent; }
    // The mapped record; null while closed.
    const char* GetRecord() const { return m_pRecord; }

    // The host's current visual; false when closed or the name is empty.
    bool GetVisName(std::string& name) const;
    // The host's playback position; false, storing nothing, when closed.
    bool GetPlayPosition(DWORD* position) const;

private:
    HANDLE m_hMapping = nullptr;
    void* m_pView = nullptr;
    HANDLE m_hEvent = nullptr;
    char* m_pRecord = nullptr;
};
