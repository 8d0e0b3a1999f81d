#include "framework/CProfileFile.h"
#include <windows.h>

namespace {
// The private-profile functions keep the file they read and read it again
// only when its last-write time has changed; a write within the file
// system's clock tick of the one before would leave the time as it was.
void MarkChanged(HANDLE file, const FILETIME& before)
{
    FILETIME after{};
    if (!::GetFileTime(file, nullptr, nullptr, &after) || ::CompareFileTime(&after, &before) != 0)
        return;
    ULARGE_INTEGER time{{after.dwLowDateTime, after.dwHighDateTime}};
    ++time.QuadPart;
    after = {time.LowPart, time.HighPart};
    ::SetFileTime(file, nullptr, nullptr, &after);
}
}

std::string CProfileFile::GetString(const std::string& section, const std::string& key) const
{
    char buffer[4096] = "";
    DWORD length = ::GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer,
                                              sizeof buffer, m_strPath.c_str());
    return std::string(buffer, length);
}

bool CProfileFile::WriteString(const std::string& section, const std::string& key,
                               const std::string& value) const
{
    return ::WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(),
                                        m_strPath.c_str()) != FALSE;
}

std::string CProfileFile::ReadText() const
{
    HANDLE file = ::CreateFileA(m_strPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {};
    std::string text;
    DWORD size = ::GetFileSize(file, nullptr);
    DWORD read = 0;
    if (size != INVALID_FILE_SIZE && size > 0) {
        text.resize(size);
        if (!::ReadFile(file, &text[0], size, &read, nullptr))
            read = 0;
    }
    ::CloseHandle(file);
    text.resize(read);
    return text;
}

bool CProfileFile::WriteText(const std::string& text) const
{
    // Opened rather than created anew, so that the file keeps its attributes.
    HANDLE file = ::CreateFileA(m_strPath.c_str(), GENERIC_WRITE | GENERIC_READ, 0, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    FILETIME before{};
    ::GetFileTime(file, nullptr, nullptr, &before);
    DWORD written = 0;
    bool ok = ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
              written == text.size() && ::SetEndOfFile(file);
    if (ok)
        MarkChanged(file, before);
    ::CloseHandle(file);
    return ok;
}
