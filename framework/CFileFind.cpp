#include "framework/CFileFind.h"

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
    size_t separator = root.find_last_of("\\/");
    m_strRoot = separator == std::string::npos ? std::string() : root.substr(0, separator);
    return StartSearch(pattern);
}

BOOL CFileFind::StartSearch(const std::string& path)
{
    m_next = std::make_unique<WIN32_FIND_DATAA>();
    m_hFind = ::FindFirstFileA(path.c_str(), m_next.get());
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
        m_found = std::make_unique<WIN32_FIND_DATAA>();
    std::swap(m_found, m_next);
    return ::FindNextFileA(m_hFind, m_next.get());
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
    std::string name = m_found->cFileName;
    return name == "." || name == "..";
}

std::string CFileFind::GetFilePath() const
{
    std::string path = m_strRoot;
    if (!path.empty() && path.back() != '\\' && path.back() != '/')
        path += '\\';
    return path + GetFileName();
}

std::string CFileFind::GetFileTitle() const
{
    std::string name = GetFileName();
    size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}
