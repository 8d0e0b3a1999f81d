#pragma once
#include <string>

// Copies source, a plug-in file or a folder holding one, into the Vis folder
// as target, never over anything: first under its copying name beside
// target (CopyingName), then moved onto target with MoveWithoutReplace. A
// folder's contents are copied through their UTF-16 names, so that a file
// whose name the code page cannot hold is copied too. Whatever fails leaves
// nothing behind.
bool CopyIntoVisFolder(const std::string& source, const std::string& target);

// Removes what copies cut short left in visFolder (ending in a separator).
void RemoveInterruptedCopies(const std::string& visFolder);

// path, in the system code page, in UTF-16.
std::wstring WidePath(const std::string& path);
