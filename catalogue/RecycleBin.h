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

// Moves path, a file or a folder, to the Recycle Bin. What happened is told
// by the disk, not by the shell's answer.
RecycleOutcome MoveToRecycleBin(const std::string& path, const RecycleAsk& ask);
