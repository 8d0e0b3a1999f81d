#pragma once
#include <string>
#include <vector>
#include "catalogue/ProfileFormat.h"

class CProfileFile;

// The settings file read once: reads answer as GetPrivateProfileString
// would, and writes are kept until Flush puts them into the file together,
// every other line staying as it was. A file that the system does not read
// byte by byte (Unicode, NUL characters, a multi-byte code page) is read and
// written key by key instead.
class CProfileIndex {
public:
    explicit CProfileIndex(const CProfileFile& file);

    // The value, at most 4095 characters; empty when missing.
    std::string GetString(const std::string& section, const std::string& key) const;
    // Read back at once; in the file after Flush. False, and nothing
    // written, for a key or value that the file cannot hold: it would read
    // back as another key or break into lines of its own.
    bool WriteString(const std::string& section, const std::string& key, const std::string& value);
    // Writes what WriteString kept into the file as it is now; false when it
    // cannot be read or written, and a file that cannot be read is left alone.
    bool Flush();

private:
    struct PendingWrite {
        std::string section;
        ProfileString entry;
    };

    bool WriteKeyByKey(const std::vector<PendingWrite>& writes) const;

    const CProfileFile& m_file;
    bool m_bWholeText;
    ProfileSections m_sections;
    std::vector<PendingWrite> m_pending;
};
