#pragma once
#include "framework/CWinApp.h"

// Chooses the main window's layout by the screen's font resolution, names
// the settings file and runs the main window; the program ends with it.
class CManagerApp : public CWinApp {
public:
    BOOL InitInstance() override;

private:
    static bool DisplayHasSmallFonts();
};
