#pragma once
#include <string>

// The one way a name changes in the Vis folder: Save, finishing or putting
// back a Save cut short, "Undo last Save" and adding plug-ins all move
// through here. Never over a file that exists, never to another volume (a
// copy there can be cut short and leaves two files or half of one), never
// to a device name. Moving a file onto its own name changes nothing and
// succeeds exactly when the file is there.
bool MoveWithoutReplace(const std::string& source, const std::string& target);
