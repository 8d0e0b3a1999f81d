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
    // False when another copy runs already.
    bool ClaimOnlyInstance();
    static void ShowFirstInstance();

    HANDLE m_hInstanceMutex = nullptr;  // closed by the system when the process ends
};

extern CManagerApp theApp;
