#include "app/CManagerApp.h"
#include <commctrl.h>
#include <objbase.h>
#include "app/AppPaths.h"
#include "app/CManagerDlg.h"
#include "app/InstanceClaim.h"
#include "framework/CDC.h"
#include "framework/ResString.h"
#include "res/resource.h"

namespace {
// Held until the process ends: a second copy would rename the same files,
// rewrite the same settings, and only one of them hears the host.
const char kInstanceMutex[] = "Orbiquel.SingleInstance";
const char kDialogClass[] = "#32770";
}

CManagerApp theApp;

BOOL CManagerApp::InitInstance()
{
    if (!ClaimOnlyInstance()) {
        ShowFirstInstance();
        return FALSE;
    }
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);
    // A screen reader in another process reaches the list's accessible
    // object through COM, which this thread starts before any window.
    HRESULT com = ::CoInitialize(nullptr);

    bool smallFonts = DisplayHasSmallFonts();

    char executable[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, executable, MAX_PATH);
    m_profile.SetPath(SettingsPathFor(executable));

    CManagerDlg dialog(nullptr, smallFonts);
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
    if (SUCCEEDED(com))
        ::CoUninitialize();
    return FALSE;
}

bool CManagerApp::ClaimOnlyInstance()
{
    m_hInstanceMutex = ::CreateMutexA(nullptr, FALSE, kInstanceMutex);
    return !AnotherCopyRuns(m_hInstanceMutex != nullptr, ::GetLastError());
}

void CManagerApp::ShowFirstInstance()
{
    HWND first = ::FindWindowA(kDialogClass, LoadResString(IDS_TITLE).c_str());
    if (!first)
        return;
    HWND shown = ::GetLastActivePopup(first);  // a message box of its own, if it shows one
    if (::IsIconic(first))
        ::ShowWindow(first, SW_RESTORE);
    ::SetForegroundWindow(shown);
}

// Below 100 dots per inch the larger template keeps the window readable.
bool CManagerApp::DisplayHasSmallFonts()
{
    CDC info;
    info.CreateIC("DISPLAY");
    return ::GetDeviceCaps(info, LOGPIXELSX) < 100;
}
