#pragma once
#include <windows.h>
#include <string>
#include "framework/CProfileFile.h"

// A settings file on a disk that fills up after room bytes: writes stop
// there, as the system's do on a full disk.
class FullDiskProfileFile : public CProfileFile {
public:
    FullDiskProfileFile(std::string path, DWORD room) : CProfileFile(std::move(path)), m_room(room) {}

protected:
    bool WriteBytes(HANDLE file, const std::string& text) const override
    {
        DWORD written = 0;
        DWORD fits = text.size() < m_room ? static_cast<DWORD>(text.size()) : m_room;
        if (!::WriteFile(file, text.data(), fits, &written, nullptr) || written != text.size()) {
            ::SetLastError(ERROR_DISK_FULL);
            return false;
        }
        return true;
    }

private:
    DWORD m_room;
};
