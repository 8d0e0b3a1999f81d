#pragma once
#include "selfdelete/CSelfDeleteApp.h"

// Chooses the main window's layout by the screen's font resolution, names
// the settings file and runs the main window; the program ends with it.
// A self-deletion copy of the program ends in InitApplication instead.
class CManagerApp : public CSelfDeleteApp {
public:
    BOOL InitInstance() override;

private:
    static bool DisplayHasSmallFonts();
};

extern CManagerApp theApp;
