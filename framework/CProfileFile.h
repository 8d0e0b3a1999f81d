#pragma once
#include <windows.h>
#include <string>

// A private-profile (.ini) file: sections of key=value lines. The user keeps
// lines of their own in it, so a write never works on the file in place: the
// new file is built beside it and swapped in, and a full disk or a program
// ended half-way leaves the old file as it was.
class CProfileFile {
public:
    CProfileFile() = default;
    explicit CProfileFile(std::string path) : m_strPath(std::move(path)) {}
    virtual ~CProfileFile() = default;

    // The value, at most 4095 characters; empty when missing.
    std::string GetString(const std::string& section, const std::string& key) const;
    // Creates the file when needed; false, and the file as it was, when it
    // cannot be read or written, or the system's writer leaves part of it out.
    bool WriteString(const std::string& section, const std::string& key, const std::string& value) const;

    // The whole file as it is on disk; empty for a missing file. False when
    // the file is there but cannot be read (held by another program, access
    // denied): its text is unknown then, not empty.
    bool ReadText(std::string& text) const;
    // Makes text the whole file, creating it when needed; false, and the
    // file as it was, when it cannot be written. A read-only file stays unwritten.
    bool WriteText(const std::string& text) const;

    const std::string& GetPath() const { return m_strPath; }
    void SetPath(std::string path) { m_strPath = std::move(path); }

protected:
    // Writes all of text into file; false when it could not (a full disk).
    virtual bool WriteBytes(HANDLE file, const std::string& text) const;

private:
    // A new file beside this one holding text; empty when it cannot be made.
    std::string CreateReplacement(const std::string& text) const;
    // Puts the replacement on disk and moves it over this file; deletes it on failure.
    bool SwapIn(const std::string& replacement) const;

    std::string m_strPath;
};
