#pragma once
#include <string>

// State bits of VisPlugin::flags.
enum : unsigned long {
    VIS_ENABLED = 0x00000001,          // wanted enabled at the next Save
    VIS_DISABLED_ON_DISK = 0x00000002, // the file had a disabled name at the scan
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
};
