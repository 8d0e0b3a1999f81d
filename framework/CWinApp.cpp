#include "framework/CWinApp.h"
#include "framework/CodePageText.h"
#include "framework/CWnd.h"
#include "framework/ResString.h"

namespace {
CWinApp* g_app = nullptr;

std::string ModuleTitle(HINSTANCE instance)
{
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(instance, path, MAX_PATH);
    std::string name = path;
    size_t slash = FindLastChar(name, "\\/");
    if (slash != std::string::npos)
        name.erase(0, slash + 1);
    size_t dot = FindLastChar(name, ".");
    if (dot != std::string::npos)
        name.erase(dot);
    return name;
}
}

CWinApp::CWinApp()
{
    g_app = this;
    m_hInstance = ::GetModuleHandleA(nullptr);
    m_strAppName = ModuleTitle(m_hInstance);
}

CWinApp::~CWinApp()
{
    if (g_app == this)
        g_app = nullptr;
}

int CWinApp::Run(HINSTANCE instance, const char* commandLine)
{
    m_hInstance = instance;
    m_strCmdLine = commandLine ? commandLine : "";
    if (!InitApplication() || !InitInstance())
        return 0;
    // Only a program with a window of its own would pump messages here;
    // ours lives inside its modal dialog.
    return 0;
}

CWinApp* AfxGetApp()
{
    return g_app;
}

HINSTANCE AfxGetResourceHandle()
{
    return g_app ? g_app->m_hInstance : ::GetModuleHandleA(nullptr);
}

int AfxMessageBox(const std::string& text, UINT type)
{
    std::string caption = g_app ? g_app->m_strAppName : std::string();
    return ::MessageBoxA(::GetActiveWindow(), text.c_str(), caption.c_str(), type);
}

int AfxMessageBox(UINT idText, UINT type)
{
    return AfxMessageBox(LoadResString(idText), type);
}
