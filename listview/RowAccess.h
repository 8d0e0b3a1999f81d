#pragma once
#include <string>

// What a screen reader is told of a row through Active Accessibility. The
// state bits are its own STATE_SYSTEM_ values, named here so that the
// native tests reach them without Windows' headers.
enum : unsigned long {
    ACC_STATE_SELECTED = 0x00000002,
    ACC_STATE_FOCUSED = 0x00000004,
    ACC_STATE_CHECKED = 0x00000010,
    ACC_STATE_OFFSCREEN = 0x00010000,
    ACC_STATE_FOCUSABLE = 0x00100000,
    ACC_STATE_SELECTABLE = 0x00200000,
};

// A row's state from its VisPlugin flags: checked while its lamp is on
// (a built-in visual always is), selected and focused as the list holds
// them, offscreen when scrolled out of sight.
unsigned long RowAccessState(unsigned long flags, bool selected, bool focused, bool visible);

// A row's description: currentText for the host's current visual, then
// problemText for a plug-in that could not be asked for its name; empty
// for any other row.
std::string RowAccessDescription(unsigned long flags, const std::string& currentText,
                                 const std::string& problemText);
