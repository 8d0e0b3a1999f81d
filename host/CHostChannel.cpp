#include "host/CHostChannel.h"
#include <cstring>
#include "host/HostFacts.h"
#include "host/HostRecord.h"

bool CHostChannel::Open()
{
    if (IsOpen())
        return true;
    m_hMapping = ::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE | SEC_COMMIT, 0,
                                      host::kInfoSize, host::kInfoMapping);
    if (!m_hMapping)
        return false;
    m_pView = ::MapViewOfFile(m_hMapping, FILE_MAP_ALL_ACCESS, 0, 0, 0);
    if (!m_pView) {
        ::CloseHandle(m_hMapping);
        m_hMapping = nullptr;
        return false;
    }
    m_hEvent = ::CreateEventA(nullptr, FALSE, FALSE, host::kInfoEvent);
    m_pRecord = static_cast<char*>(m_pView);
    DWORD size = host::kInfoCopySize;
    std::memcpy(m_pRecord, &size, sizeof size);
    return true;
}

bool CHostChannel::Close()
{
    if (m_hEvent)
        ::CloseHandle(m_hEvent);
    if (m_pView)
        ::UnmapViewOfFile(m_pView);
    if (m_hMapping)
        ::CloseHandle(m_hMapping);
    m_hEvent = nullptr;
    m_pView = nullptr;
    m_hMapping = nullptr;
    m_pRecord = nullptr;
    return true;
}

bool CHostChannel::GetVisName(std::string& name) const
{
    if (!IsOpen())
        return false;
    name = VisNameFromRecord(m_pRecord, host::kInfoSize);
    return !name.empty();
}

bool CHostChannel::GetPlayPosition(DWORD* position) const
{
    if (!IsOpen())
        return false;
    std::memcpy(position, m_pRecord + host::kInfoPositionOffset, sizeof *position);
    return true;
}
