#include "testing/host/HostLog.h"
#include <windows.h>
#include <cstdarg>
#include <cstdio>

namespace standin_host {

namespace {
std::string g_logPath;
}

void SetLogFolder(const std::string& folder)
{
    g_logPath = folder + "\\Melodrift.log";
}

void Log(const char* format, ...)
{
    char text[1024];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    std::string line = std::string(text) + "\r\n";
    HANDLE file = ::CreateFileA(g_logPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    ::WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    ::CloseHandle(file);
}

}
