#pragma once
#include <windows.h>
#include <string>

// A file opened for reading, closed with the object. Reads and seeks go
// straight to the system: no stream or locale machinery in the program.
class CFile {
public:
    CFile() = default;
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;
    ~CFile() { Close(); }

    // Read-only; others may read the file at the same time.
    BOOL Open(const std::string& path);
    void Close();
    // The bytes actually read; 0 at the end of the file or on failure.
    UINT Read(void* buffer, UINT count);
    // The new position, from FILE_BEGIN, FILE_CURRENT or FILE_END; -1 on failure.
    LONGLONG Seek(LONGLONG offset, DWORD from);
    LONGLONG GetPosition() { return Seek(0, FILE_CURRENT); }
    // -1 when the size cannot be read.
    LONGLONG GetLength() const;

private:
    HANDLE m_hFile = INVALID_HANDLE_VALUE;
};
