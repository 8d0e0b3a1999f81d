#include "app/CManagerApp.h"
#include <commctrl.h>
#include "app/AppPaths.h"
#include "app/CManagerDlg.h"
#include "framework/CDC.h"

CManagerApp theApp;

BOOL CManagerApp::InitInstance()
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);

    bool smallFonts = DisplayHasSmallFonts();

    char executable[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, executable, MAX_PATH);
    m_profile.SetPath(SettingsPathFor(executable));

    CManagerDlg dialog(nullptr, smallFonts);
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}

// Below 100 dots per inch the larger template keeps the window readable.
bool CManagerApp::DisplayHasSmallFonts()
{
    CDC info;
    info.CreateIC("DISPLAY");
    return ::GetDeviceCaps(info, LOGPIXELSX) < 100;
}
