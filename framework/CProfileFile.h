#pragma once
#include <string>

// A private-profile (.ini) file: sections of key=value lines.
class CProfileFile {
public:
    CProfileFile() = default;
    explicit CProfileFile(std::string path) : m_strPath(std::move(path)) {}

    // The value, at most 4095 characters; empty when missing.
    std::string GetString(const std::string& section, const std::string& key) const;
    // Creates the file when needed; false when it cannot be written.
    bool WriteString(const std::string& section, const std::string& key, const std::string& value) const;

    // The whole file as it is on disk; empty when it is missing or unreadable.
    std::string ReadText() const;
    // Makes text the whole file, creating it when needed; false when it cannot be written.
    bool WriteText(const std::string& text) const;

    const std::string& GetPath() const { return m_strPath; }
    void SetPath(std::string path) { m_strPath = std::move(path); }

private:
    std::string m_strPath;
};
