// Reports the name held in a side file: its own path without the extension
// and without a leading order tag, plus ".name" (012_Fire.svp and
// Fire.svp_disabled both read Fire.name; missing: its own file name). Every
// load appends a line to ".loads" beside it, so that tests can prove a plug-in
// was never loaded. Without the tag the side files follow a plug-in through
// the renames of Save.
// Plain Win32 and fixed buffers keep the many copies of a large layout small.
#include <cstring>
#include "testing/plugins/PluginRecord.h"

namespace {
HMODULE g_module = nullptr;
char g_name[65536];
PluginRecord g_record{1, g_name};

// True for "012_": three digits and an underscore.
bool IsOrderTag(const char* title)
{
    for (int i = 0; i < 3; ++i)
        if (title[i] < '0' || title[i] > '9')
            return false;
    return title[3] == '_';
}

// Own path without extension and order tag, plus extension; false if it would not fit.
bool SideFile(const char* extension, char (&path)[MAX_PATH])
{
    DWORD length = ::GetModuleFileNameA(g_module, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return false;
    // By characters: in a Japanese path "\" can be the second byte of one.
    char* title = path;
    for (char* at = path; *at; at = ::CharNextA(at))
        if (*at == '\\')
            title = at + 1;
    char* dot = std::strrchr(title, '.');
    if (dot)
        *dot = '\0';
    if (IsOrderTag(title))
        std::memmove(title, title + 4, std::strlen(title + 4) + 1);
    if (std::strlen(path) + std::strlen(extension) >= MAX_PATH)
        return false;
    std::strcat(path, extension);
    return true;
}

bool ReadName()
{
    char path[MAX_PATH];
    if (!SideFile(".name", path))
        return false;
    HANDLE file = ::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD read = 0;
    ::ReadFile(file, g_name, sizeof g_name - 1, &read, nullptr);
    g_name[read] = '\0';
    ::CloseHandle(file);
    return true;
}

void UseOwnFileName()
{
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(g_module, path, MAX_PATH);
    const char* slash = std::strrchr(path, '\\');
    std::strcpy(g_name, slash ? slash + 1 : path);
}

void RecordLoad()
{
    char path[MAX_PATH];
    if (!SideFile(".loads", path))
        return;
    HANDLE file = ::CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    ::WriteFile(file, "load\r\n", 6, &written, nullptr);
    ::CloseHandle(file);
}
}

STANDIN_EXPORT const PluginRecord* QueryModule()
{
    if (!ReadName())
        UseOwnFileName();
    return &g_record;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = instance;
        RecordLoad();
    }
    return TRUE;
}
