#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// A set: an arrangement of the plug-ins kept under a name, in a small UTF-8
// text file a person can read and edit:
//
//   Orbiquel set 1
//   Name: Party
//   Current: milkdrop
//   on|milkdrop|MilkDrop 2
//   off|bars|Bars
//
// Plug-ins are named only by their key (GetPluginKey: the file title without
// order tag, compared in any case), never by a path, so a set cannot reach
// outside the Vis folder, a device or a file to delete. The display name is
// what a missing plug-in is shown as. All text here is UTF-8.
constexpr char kSetFormatLine[] = "Orbiquel set 1";
constexpr char kSetNameLabel[] = "Name: ";
constexpr char kSetCurrentLabel[] = "Current:";
constexpr char kSetOn[] = "on";
constexpr char kSetOff[] = "off";
constexpr char kSetSeparator = '|';

// A set file is untrusted input: larger files are refused, not cut.
constexpr size_t kMostSetBytes = 1024 * 1024;
constexpr size_t kMostSetLines = 10000;
constexpr size_t kLongestSetLine = 1024;  // bytes, without the line break
constexpr size_t kLongestSetKey = 255;    // a file name's length

struct SetEntry {
    bool on = false;
    std::string key;
    std::string displayName;
    bool operator==(const SetEntry& other) const
    {
        return on == other.on && key == other.key && displayName == other.displayName;
    }
};

struct PluginSet {
    std::string name;
    std::string current;  // a key; empty when the set has no current plug-in
    std::vector<SetEntry> plugins;
    bool operator==(const PluginSet& other) const
    {
        return name == other.name && current == other.current && plugins == other.plugins;
    }
};

enum class SetFault {
    None,
    TooLarge,      // more than kMostSetBytes
    TooManyLines,  // more than kMostSetLines
    LineTooLong,
    NotUtf8,
    NotASet,       // the first line names no set of this version
    Malformed,     // a line that is not as its place asks
    UnsafeKey,     // a key that is no plain file title: a path, a device, a name Windows cannot use
};

struct SetReadResult {
    SetFault fault = SetFault::None;
    size_t line = 0;  // 1-based; 0 for a fault of the whole file
};

// Reads text as a whole: the first fault refuses it, and set is then empty.
// A UTF-8 byte-order mark, CR LF line ends and empty lines are accepted.
SetReadResult ReadSet(std::string_view text, PluginSet& set);

// The file text of set (UTF-8 with byte-order mark, CR LF line ends).
// Reading it gives set back when every key is safe, no name or display
// name holds a line break and the name is not empty.
std::string WriteSet(const PluginSet& set);

// A key a set may hold: a plain file title Windows can use, not a device.
bool IsSafeSetKey(std::string_view key);
