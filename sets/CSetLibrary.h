#pragma once
#include <string>
#include <vector>
#include "sets/SetFileName.h"
#include "sets/SetFormat.h"

// One kept set as the menu shows it: its file title and its name, in the
// system's code page.
struct KeptSet {
    std::string title;
    std::string name;
};

// The sets kept in their folder beside the settings file, one file each.
class CSetLibrary {
public:
    explicit CSetLibrary(std::string folder) : m_strFolder(std::move(folder)) {}

    // The sets that read, by name in the user's alphabetical order; at most limit of them.
    std::vector<KeptSet> List(size_t limit) const;
    // The kept set whose name is name (as typed: case counts); empty when none.
    std::string TitleOf(const std::string& name) const;
    // Reads any set file: refused whole when too large, unreadable or not a set.
    static SetReadResult ReadFile(const std::string& path, PluginSet& set);
    // Writes set through a copy that is read back before it replaces the
    // old file; false, and the old file as it was, when it cannot.
    static bool WriteFile(const std::string& path, const PluginSet& set);
    // Keeps set (name in UTF-8, as displayName) under the title of its name,
    // replacing a set of the same name; the title, empty when it could not.
    std::string Keep(const PluginSet& set) const;

    std::string PathOf(const std::string& title) const { return m_strFolder + title + kSetFileExtension; }

private:
    // The titles of the set files in the folder.
    std::vector<std::string> Titles() const;

    std::string m_strFolder;
};
