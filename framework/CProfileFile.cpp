#include "framework/CProfileFile.h"

namespace {
// GetTempFileNameA takes up to three characters and adds a unique number and ".tmp".
constexpr char kReplacementPrefix[] = "orb";
// What a user may have set on the file that its replacement keeps.
constexpr DWORD kKeptAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

bool IsMissing(DWORD error)
{
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// The folder of path with its trailing backslash; empty when it cannot be told.
std::string FolderOf(const std::string& path)
{
    char full[MAX_PATH];
    char* name = nullptr;
    DWORD length = ::GetFullPathNameA(path.c_str(), sizeof full, full, &name);
    if (length == 0 || length >= sizeof full || name == nullptr)
        return {};
    return std::string(full, name);
}

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
    // The system's writer empties the file before it writes it anew: it gets a copy to work on.
    std::string text;
    if (!ReadText(text))
        return false;
    std::string replacement = CreateReplacement(text);
    if (replacement.empty())
        return false;
    if (!::WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), replacement.c_str())) {
        ::DeleteFileA(replacement.c_str());
        return false;
    }
    return SwapIn(replacement);
}

bool CProfileFile::ReadText(std::string& text) const
{
    text.clear();
    HANDLE file = ::CreateFileA(m_strPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return IsMissing(::GetLastError());
    LARGE_INTEGER size{};
    bool read = ::GetFileSizeEx(file, &size) && size.HighPart == 0;
    if (read && size.LowPart > 0) {
        text.resize(size.LowPart);
        DWORD got = 0;
        read = ::ReadFile(file, &text[0], size.LowPart, &got, nullptr) && got == size.LowPart;
    }
    ::CloseHandle(file);
    if (!read)
        text.clear();
    return read;
}

bool CProfileFile::WriteText(const std::string& text) const
{
    std::string replacement = CreateReplacement(text);
    return !replacement.empty() && SwapIn(replacement);
}

bool CProfileFile::WriteBytes(HANDLE file, const std::string& text) const
{
    DWORD written = 0;
    return ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
           written == text.size();
}

std::string CProfileFile::CreateReplacement(const std::string& text) const
{
    DWORD attributes = ::GetFileAttributesA(m_strPath.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES ? !IsMissing(::GetLastError())
                                              : (attributes & FILE_ATTRIBUTE_READONLY) != 0)
        return {};
    // In the same folder, so that the swap is a rename on the same disk.
    char name[MAX_PATH];
    if (!::GetTempFileNameA(FolderOf(m_strPath).c_str(), kReplacementPrefix, 0, name))
        return {};
    HANDLE file = ::CreateFileA(name, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    bool written = file != INVALID_HANDLE_VALUE && WriteBytes(file, text);
    if (file != INVALID_HANDLE_VALUE)
        ::CloseHandle(file);
    if (!written) {
        ::DeleteFileA(name);
        return {};
    }
    return name;
}

bool CProfileFile::SwapIn(const std::string& replacement) const
{
    WIN32_FILE_ATTRIBUTE_DATA old{};
    bool exists = ::GetFileAttributesExA(m_strPath.c_str(), GetFileExInfoStandard, &old) != FALSE;
    HANDLE file = ::CreateFileA(replacement.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    bool ok = file != INVALID_HANDLE_VALUE && ::FlushFileBuffers(file);
    if (ok && exists)
        MarkChanged(file, old.ftLastWriteTime);
    if (file != INVALID_HANDLE_VALUE)
        ::CloseHandle(file);
    // A rename rather than ReplaceFileA, which needs the old file to exist and,
    // when it fails half-way without a backup, can leave it gone.
    DWORD kept = exists ? old.dwFileAttributes & kKeptAttributes : 0;
    ok = ok && ::SetFileAttributesA(replacement.c_str(), kept ? kept : FILE_ATTRIBUTE_NORMAL) &&
         ::MoveFileExA(replacement.c_str(), m_strPath.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok)
        ::DeleteFileA(replacement.c_str());
    return ok;
}
