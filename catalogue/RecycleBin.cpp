#include "catalogue/RecycleBin.h"
#include <shellapi.h>
#include <algorithm>
#include <vector>
#include "catalogue/PluginInstall.h"
#include "framework/ResString.h"
#include "res/resource.h"

namespace {
bool Exists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

int RunDelete(const std::string& path, FILEOP_FLAGS flags)
{
    std::string from = DoubleNulList({path});
    SHFILEOPSTRUCTA operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = flags | FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    return ::SHFileOperationA(&operation);
}

// Where the bin cannot take a file, the shell deletes it for good without a
// word unless asked to warn; its warning is then the only window it opens
// for us. The hook declines that warning the moment it shows, so that the
// user gets our question instead, with No as its default. A hook procedure
// gets no pointer of its own: one watch runs at a time, on this thread.
struct NukeWarningWatch {
    HHOOK hook = nullptr;
    std::vector<HWND> opened;
    bool declined = false;
};
NukeWarningWatch* g_watch = nullptr;

bool IsDialog(HWND window)
{
    char className[16] = "";
    ::GetClassNameA(window, className, sizeof className);
    return std::string(className) == "#32770";
}

LRESULT CALLBACK WatchForNukeWarning(int code, WPARAM wParam, LPARAM lParam)
{
    auto window = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_CREATEWND && !(reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs->style & WS_CHILD))
        g_watch->opened.push_back(window);
    bool openedByShell = std::find(g_watch->opened.begin(), g_watch->opened.end(), window) != g_watch->opened.end();
    if (code == HCBT_ACTIVATE && openedByShell && IsDialog(window)) {
        g_watch->declined = true;
        ::PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    }
    return ::CallNextHookEx(g_watch->hook, code, wParam, lParam);
}

// True when the bin could not take path and the shell's warning was declined.
bool RecycleOrDecline(const std::string& path)
{
    NukeWarningWatch watch;
    g_watch = &watch;
    watch.hook = ::SetWindowsHookExA(WH_CBT, WatchForNukeWarning, nullptr, ::GetCurrentThreadId());
    RunDelete(path, FOF_ALLOWUNDO | FOF_WANTNUKEWARNING);
    if (watch.hook)
        ::UnhookWindowsHookEx(watch.hook);
    g_watch = nullptr;
    return watch.declined;
}
}

RecycleOutcome MoveToRecycleBin(const std::string& path, const RecycleAsk& ask, bool* binRefused)
{
    bool refused = RecycleOrDecline(path) && Exists(path);
    if (binRefused)
        *binRefused = refused;
    if (!Exists(path))
        return RecycleOutcome::Recycled;
    if (!refused ||
        ask(FormatResString1(IDS_DELETE_FOR_GOOD, path), MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2) != IDYES)
        return RecycleOutcome::Kept;
    DeleteForGood(path);
    return Exists(path) ? RecycleOutcome::Kept : RecycleOutcome::Deleted;
}

void DeleteForGood(const std::string& path)
{
    RunDelete(path, 0);
}
