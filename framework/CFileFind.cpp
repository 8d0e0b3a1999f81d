#include "framework/CFileFind.h"
#include "framework/CodePageText.h"

namespace {
static_assert(kNoBestFitChars == WC_NO_BEST_FIT_CHARS, "the flag NameConversionFor hands out");

// For a character the code page cannot hold, the system's own conversion,
// which FindFirstFileA uses, may hand back a look-alike (a plain letter for an
// accented one): a name that opens, and would rename, another file. Asked
// without best fit it gives "?" instead; a name too long for the code page,
// or one it cannot convert at all, becomes "?" as a whole.
std::string CodePageName(const wchar_t* wide)
{
    char converted[2 * MAX_PATH];
    NameConversion conversion = NameConversionFor(::GetACP());
    int length = ::WideCharToMultiByte(CP_ACP, conversion.flags, wide, -1, converted, sizeof converted,
                                       conversion.defaultChar, nullptr);
    return length == 0 || length > MAX_PATH ? "?" : converted;
}

std::wstring FolderOf(const std::wstring& path)
{
    size_t separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator);
}
}

BOOL CFileFind::FindFile(const std::string& pattern)
{
    Close();
    char full[MAX_PATH];
    DWORD length = ::GetFullPathNameA(pattern.c_str(), MAX_PATH, full, nullptr);
    if (length == 0 || length >= MAX_PATH) {
        ::SetLastError(ERROR_INVALID_NAME);
        return FALSE;
    }
    std::string root = full;
    size_t separator = FindLastChar(root, "\\/");
    m_strRoot = separator == std::string::npos ? std::string() : root.substr(0, separator);
    return StartSearch(pattern);
}

BOOL CFileFind::FindFile(const std::wstring& pattern)
{
    Close();
    m_strRoot = CodePageName(FolderOf(pattern).c_str());
    return StartSearch(pattern);
}

BOOL CFileFind::StartSearch(const std::string& path)
{
    wchar_t widePath[MAX_PATH];
    if (::MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, widePath, MAX_PATH) == 0) {
        ::SetLastError(ERROR_INVALID_NAME);
        return FALSE;
    }
    return StartSearch(std::wstring(widePath));
}

BOOL CFileFind::StartSearch(const std::wstring& path)
{
    m_wideFolder = FolderOf(path);
    m_next = std::make_unique<WIN32_FIND_DATAW>();
    m_hFind = ::FindFirstFileW(path.c_str(), m_next.get());
    if (m_hFind == INVALID_HANDLE_VALUE) {
        DWORD error = ::GetLastError();
        Close();
        ::SetLastError(error);
        return FALSE;
    }
    return TRUE;
}

BOOL CFileFind::FindNextFile()
{
    if (m_hFind == INVALID_HANDLE_VALUE || !m_next)
        return FALSE;
    if (!m_found)
        m_found = std::make_unique<WIN32_FIND_DATAW>();
    *m_found = *m_next;
    m_strName = CodePageName(m_found->cFileName);
    return ::FindNextFileW(m_hFind, m_next.get());
}

void CFileFind::Close()
{
    if (m_hFind != INVALID_HANDLE_VALUE)
        ::FindClose(m_hFind);
    m_hFind = INVALID_HANDLE_VALUE;
    m_found.reset();
    m_next.reset();
}

bool CFileFind::IsDots() const
{
    if (!m_found || !IsDirectory())
        return false;
    return m_strName == "." || m_strName == "..";
}

std::string CFileFind::GetFilePath() const
{
    std::string path = m_strRoot;
    if (!path.empty() && !EndsInSeparator(path))
        path += '\\';
    return path + GetFileName();
}

std::string CFileFind::GetFileTitle() const
{
    std::string name = GetFileName();
    size_t dot = FindLastChar(name, ".");
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::wstring CFileFind::GetWideFilePath() const
{
    std::wstring path = m_wideFolder.empty() ? m_wideFolder : m_wideFolder + L'\\';
    return m_found ? path + m_found->cFileName : path;
}
