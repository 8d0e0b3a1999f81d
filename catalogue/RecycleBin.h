#pragma once
#include <windows.h>
#include <functional>
#include <string>

// What became of a file or folder the user asked to put in the Recycle Bin.
enum class RecycleOutcome {
    Recycled,  // in the Recycle Bin
    Deleted,   // the bin could not take it, and the user said to delete it for good
    Kept       // still where it was
};

// Shows a message box with the program's caption; the button chosen.
using RecycleAsk = std::function<int(const std::string& text, UINT type)>;

// Moves path, a file or a folder, to the Recycle Bin. Where the bin cannot
// take it (switched off, none on that drive, too big for it), the user is
// asked whether to delete it for good, No being the default; nothing is
// deleted for good without that Yes. binRefused, when given, tells whether
// the bin could not take it. What happened is told by the disk, not by the
// shell's answer.
RecycleOutcome MoveToRecycleBin(const std::string& path, const RecycleAsk& ask, bool* binRefused = nullptr);

// Deletes path, a file or a folder with all it holds, for good: only for
// what the user said to delete so, and for half-made copies of our own.
void DeleteForGood(const std::string& path);
