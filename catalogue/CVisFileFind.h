#pragma once
#include <string>
#include "framework/CFileFind.h"

// A folder search rooted at a given folder, so that patterns are plain names.
class CVisFileFind : public CFileFind {
public:
    explicit CVisFileFind(std::string root) { m_strRoot = std::move(root); }

    // Searches the root for pattern. Without a root, pattern is a path and
    // the root becomes its folder, as with the base class.
    BOOL FindFile(const std::string& pattern = "*.*");
    // The current entry's extension: after its last dot, empty without one.
    std::string GetFileExt() const;
};
