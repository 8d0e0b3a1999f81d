#pragma once
#include <windows.h>
#include <memory>
#include <string>

// A folder search. As with FindFirstFile, FindFile starts the search and the
// first entry becomes current only after the first FindNextFile. Names are in
// the system code page with "?" for every character it cannot hold (see
// HoldsUnmappedChar), never a look-alike that could name another file.
class CFileFind {
public:
    CFileFind() = default;
    CFileFind(const CFileFind&) = delete;
    CFileFind& operator=(const CFileFind&) = delete;
    virtual ~CFileFind() { Close(); }

    // Searches pattern (a path, "*.*" by default); the root becomes the
    // pattern's full path up to its last separator.
    BOOL FindFile(const std::string& pattern = "*.*");
    // Searches pattern, a full path in UTF-16: the way into a folder whose
    // name the code page cannot hold. The root becomes the pattern's folder
    // in the code page, "?" and all.
    BOOL FindFile(const std::wstring& pattern);
    // Moves to the next entry; FALSE when the entry made current was the last.
    BOOL FindNextFile();
    void Close();

    bool IsDots() const;
    bool IsDirectory() const { return MatchesMask(FILE_ATTRIBUTE_DIRECTORY); }
    bool MatchesMask(DWORD mask) const { return m_found && (m_found->dwFileAttributes & mask) != 0; }
    std::string GetFileName() const { return m_found ? m_strName : ""; }
    // The current entry's attributes, size and times, as the search found them.
    const WIN32_FIND_DATAW* GetFindData() const { return m_found.get(); }
    std::string GetFilePath() const;
    std::string GetFileTitle() const;
    // The current entry's path in UTF-16, its folder as the pattern gave it:
    // the names the system holds where GetFilePath has "?".
    std::wstring GetWideFilePath() const;
    const std::string& GetRoot() const { return m_strRoot; }

protected:
    // Starts the search at path; on failure closes it and keeps the last error.
    BOOL StartSearch(const std::string& path);

    std::string m_strRoot;

private:
    BOOL StartSearch(const std::wstring& path);

    HANDLE m_hFind = INVALID_HANDLE_VALUE;
    std::wstring m_wideFolder;  // the folder searched, up to the pattern's last separator
    std::unique_ptr<WIN32_FIND_DATAW> m_found;
    std::unique_ptr<WIN32_FIND_DATAW> m_next;
    std::string m_strName;  // the current entry's name in the code page
};
