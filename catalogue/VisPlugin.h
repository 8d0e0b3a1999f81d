#pragma once
#include <climits>
#include <string>

// The host's four built-in visuals, always rows 0 to 3 and the host's
// numbers 0 to 3, before every plug-in.
constexpr int kBuiltinCount = 4;
constexpr const char* kBuiltinNames[kBuiltinCount] = {"Waveform 1.1", "Spectrum 1.0", "Spectrum 2.0",
                                                      "VU Sweep 1.1"};
// Plug-in rows start below them: nothing is dropped above this row, nor toggled or renamed above it.
constexpr int kFirstPluginRow = kBuiltinCount;

// A visual has three positions: its row in the list, its load position
// (VisPlugin::loadIndex, the row it had when the catalogue was built, which
// is where the running host loaded it), and its host number (what
// "VisNumber" holds: the host counts only the visuals it loaded). Each is an
// int; every one of them says "none" with this value.
constexpr int kNoVisual = INT_MAX;

// State bits of VisPlugin::flags.
enum : unsigned long {
    VIS_ENABLED = 0x00000001,          // wanted enabled at the next Save
    VIS_DISABLED_ON_DISK = 0x00000002, // the file had a disabled name at the scan
    VIS_ADDED = 0x00000004,            // copied into the Vis folder since the scan: the running host never loaded it
    VIS_NO_NAME = 0x00000008,          // the plug-in could not be asked for its name
    VIS_CURRENT = 0x10000000,          // the visual the host currently shows
};

// State lamp of a row: its index in the list's small image list.
enum {
    IMG_ENABLED = 0,
    IMG_DISABLED = 1,
    IMG_BUILTIN = 2,
};

// One catalogue row. The list owns it through the row's item data.
struct VisPlugin {
    std::string file;        // path relative to the Vis folder; empty for a built-in visual
    unsigned long flags = 0;
    int loadIndex = 0;       // row index when the catalogue was built
    std::string nameKey;     // the shown name's sort key in the user's locale, made as its row goes in
    std::string matchingKey; // MatchingKey of file, made with the record (Save keeps it); empty when
                             // the code page cannot hold the name, so that nothing matches it
    std::string problem;     // why it could not be asked for its name, as the user reads it
};
