#include "framework/CProfileFile.h"
#include <optional>
#include <vector>
#include "framework/ProfileSyntax.h"

namespace {
// GetTempFileNameA takes up to three characters and adds a unique number and ".tmp".
constexpr char kReplacementPrefix[] = "orb";
// What a user may have set on the file that its replacement keeps.
constexpr DWORD kKeptAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
// The default a read answers for a missing entry: no value holds a line
// break, and a default loses only its trailing blanks.
constexpr char kNoEntry[] = "\n?";

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

// The whole value of key in the file at path, when it is at most longest
// bytes; none when there is no such entry.
std::optional<std::string> ReadEntry(const std::string& path, const std::string& section, const std::string& key,
                                     size_t longest)
{
    // Room for a longer value to show, and for the default.
    std::vector<char> buffer(longest + sizeof kNoEntry);
    DWORD length = ::GetPrivateProfileStringA(section.c_str(), key.c_str(), kNoEntry, buffer.data(),
                                              static_cast<DWORD>(buffer.size()), path.c_str());
    std::string answer(buffer.data(), length);
    if (answer == kNoEntry)
        return std::nullopt;
    return answer;
}

// Whether key stands alone in section of the file at path, a line without
// "=", in a section of at most longest bytes.
bool StandsAlone(const std::string& path, const std::string& section, const std::string& key, size_t longest)
{
    std::vector<char> lines(longest + 2);
    DWORD length = ::GetPrivateProfileSectionA(section.c_str(), lines.data(), static_cast<DWORD>(lines.size()),
                                               path.c_str());
    for (const char* line = lines.data(); line < lines.data() + length; line += ::lstrlenA(line) + 1) {
        if (::lstrcmpiA(std::string(TrimProfileBlanks(line)).c_str(), key.c_str()) == 0)
            return true;
    }
    return false;
}

// The value that a write of key replaces, none for a new entry. A key that
// stands alone reads as missing, but the writer gives it the value.
std::optional<std::string> ValueReplaced(const std::string& path, const std::string& section, const std::string& key,
                                         size_t longest)
{
    std::optional<std::string> value = ReadEntry(path, section, key, longest);
    if (!value && StandsAlone(path, section, key, longest))
        value.emplace();
    return value;
}

// Whether the file at path answers for key what a read of value written returns.
bool ReadsBack(const std::string& path, const std::string& section, const std::string& key, const std::string& value)
{
    return ReadEntry(path, section, key, value.size()) == ProfileValueAsRead(value);
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
    // No value or section is longer than the file that holds it.
    std::optional<std::string> oldValue = ValueReplaced(m_strPath, section, key, text.size());
    std::string replacement = CreateReplacement(text);
    if (replacement.empty())
        return false;
    // The writer reports success for a file it cut short on a full disk.
    std::string copy;
    if (!::WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), replacement.c_str()) ||
        !CProfileFile(replacement).ReadText(copy) || !HoldsProfileWrite(text, copy, key, oldValue, value) ||
        !ReadsBack(replacement, section, key, value)) {
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
    if (replacement.empty())
        return false;
    // A writer may report success for a short write: the copy must read back whole.
    std::string copy;
    if (!CProfileFile(replacement).ReadText(copy) || copy != text) {
        ::DeleteFileA(replacement.c_str());
        return false;
    }
    return SwapIn(replacement);
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
