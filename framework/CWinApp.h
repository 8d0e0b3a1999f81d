#pragma once
#include <windows.h>
#include <string>
#include "framework/CProfileFile.h"

class CWnd;

// The application object. Exactly one exists, constructed during static
// initialisation; WinMain runs InitApplication and InitInstance on it.
class CWinApp {
public:
    CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;
    virtual ~CWinApp();

    virtual BOOL InitApplication() { return TRUE; }
    virtual BOOL InitInstance() { return FALSE; }

    // Runs the program: what WinMain does.
    int Run(HINSTANCE instance, const char* commandLine);

    HINSTANCE m_hInstance = nullptr;
    std::string m_strCmdLine;
    std::string m_strAppName;     // the executable's name, without extension
    CProfileFile m_profile;       // the settings file
    CWnd* m_pMainWnd = nullptr;
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetResourceHandle();

// A message box captioned with the application name, owned by the active window.
int AfxMessageBox(const std::string& text, UINT type = MB_OK);
int AfxMessageBox(UINT idText, UINT type = MB_OK);
