#pragma once

// The font a row is drawn in, chosen by its VisPlugin flags.
enum RowFont {
    ROW_FONT_LIST,    // the list's own font
    ROW_FONT_BOLD,    // the host's current visual
    ROW_FONT_STRIKE,  // disabled on disk and now switched on
};

// A row that is both current and struck out is drawn struck out.
RowFont RowFontFor(unsigned long flags);

// The lamp drawn for a row: the built-in rows have their own, a plug-in row
// shows whether it is wanted enabled.
int LampImage(int row, unsigned long flags);

// Switches a plug-in row's VIS_ENABLED, and so its lamp, as a click on the
// lamp does. False, with nothing changed, for the built-in rows and the
// current visual.
bool ToggleLampState(int row, unsigned long& flags);
