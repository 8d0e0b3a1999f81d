#pragma once
#include <map>
#include <string>
#include "host/RenameRecovery.h"
#include "host/SaveJournal.h"

// The journal on disk, and what the disk says of the names it holds.
class JournalFile {
public:
    JournalFile(std::string path, std::string visFolder)
        : m_strPath(std::move(path)), m_strVisFolder(std::move(visFolder))
    {
    }

    bool Exists() const;
    // The reason when there is a journal that cannot be used.
    JournalFault Read(SaveJournal& journal) const;
    // True when the journal, readable or not, says its Save was cut short.
    bool ClaimsOpen() const;
    // Through a copy that is flushed and swapped in; false, and the old
    // journal as it was, when it cannot be written.
    bool Write(const SaveJournal& journal) const;
    // False when a journal is still there afterwards.
    bool Remove() const;

    const std::string& GetPath() const { return m_strPath; }

    // The stamps of the files directly in the Vis folder, by name.
    std::map<std::string, std::string> StampFolder() const;
    // What is now under a name relative to the Vis folder, as one listing
    // of the folder (and of each sub-folder asked for) finds it.
    LookUpName LookUpOnDisk() const;

private:
    bool ReadText(std::string& text, JournalFault& fault) const;

    std::string m_strPath;
    std::string m_strVisFolder;
};
