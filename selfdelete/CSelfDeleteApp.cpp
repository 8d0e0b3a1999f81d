#include "selfdelete/CSelfDeleteApp.h"
#include <psapi.h>
#include <shlwapi.h>
#include <vector>
#include "framework/CFileFind.h"
#include "framework/CWnd.h"

namespace {
// The system may hold the ended program's image a moment longer.
const int kDeleteAttempts = 20;
const DWORD kDeleteRetryMs = 100;
const DWORD kCopyIdleMs = 1000;

std::string ModulePath()
{
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

std::string TempFolder()
{
    char folder[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, folder);
    return folder;
}
}

bool CSelfDeleteApp::SelfDelete(DWORD flags)
{
    std::string executable = ModulePath();
    std::string folder = TempFolder();
    char copy[MAX_PATH] = "";
    if (!::GetTempFileNameA(folder.c_str(), "Del", 0, copy))
        return false;
    // From here on the copy is removed when the last handle to it closes,
    // which is when the copy itself ends.
    HANDLE copyFile = INVALID_HANDLE_VALUE;
    if (::CopyFileA(executable.c_str(), copy, FALSE))
        copyFile = ::CreateFileA(copy, 0, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (copyFile == INVALID_HANDLE_VALUE) {
        ::DeleteFileA(copy);
        return false;
    }
    HANDLE self = ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, TRUE, ::GetCurrentProcessId());
    if (!self) {
        ::CloseHandle(copyFile);
        return false;
    }
    SelfDeleteLine line{static_cast<std::int32_t>(reinterpret_cast<LONG_PTR>(self)), executable, flags};
    bool started = StartCopy(copy, line, folder);
    ::CloseHandle(self);
    ::CloseHandle(copyFile);
    if ((flags & SD_CLOSEMAIN) && m_pMainWnd && ::IsWindow(m_pMainWnd->m_hWnd))
        m_pMainWnd->SendMessage(WM_CLOSE);
    return started;
}

// The copy works in the temporary folder, so that it never holds the
// program's folder open.
bool CSelfDeleteApp::StartCopy(const std::string& copyPath, const SelfDeleteLine& line, const std::string& folder)
{
    std::string command = FormatSelfDeleteLine(copyPath, line);
    std::vector<char> commandLine(command.begin(), command.end());
    commandLine.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA(copyPath.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, folder.c_str(),
                          &startup, &process))
        return false;
    ::WaitForInputIdle(process.hProcess, kCopyIdleMs);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return true;
}

BOOL CSelfDeleteApp::InitApplication()
{
    SelfDeleteLine line;
    if (!ParseSelfDeleteLine(m_strCmdLine, line))
        return CWinApp::InitApplication();
    DeleteFor(line);
    return FALSE;
}

void CSelfDeleteApp::DeleteFor(const SelfDeleteLine& line)
{
    HANDLE process = reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(line.process));
    if (!WaitForEndOf(process, line.path))
        return;
    if (!(line.flags & SD_REMOVEFOLDER)) {
        DeleteExecutable(line.path);
        return;
    }
    std::string folder = line.path;
    if (!RemoveFolder(folder))
        OnRemoveFolderFailed(folder, ::GetLastError());
}

// A line typed by hand could name any file and any number: only a real
// process, not this one, that runs the named executable is waited for, and
// only its end lets the copy go on.
bool CSelfDeleteApp::WaitForEndOf(HANDLE process, const std::string& executable)
{
    DWORD id = ::GetProcessId(process);
    if (id == 0 || id == ::GetCurrentProcessId() || !ProcessRunsFile(process, executable))
        return false;
    return ::WaitForSingleObject(process, INFINITE) == WAIT_OBJECT_0;
}

bool CSelfDeleteApp::ProcessRunsFile(HANDLE process, const std::string& path)
{
    char image[MAX_PATH] = "";
    char device[MAX_PATH] = "";
    std::string drive = DriveOfPath(path);
    if (drive.empty() || !::GetProcessImageFileNameA(process, image, MAX_PATH) ||
        !::QueryDosDeviceA(drive.c_str(), device, MAX_PATH))
        return false;
    return ImageIsFile(image, device, path);
}

void CSelfDeleteApp::DeleteExecutable(const std::string& path)
{
    for (int attempt = 1; !::DeleteFileA(path.c_str()) && attempt < kDeleteAttempts; ++attempt)
        ::Sleep(kDeleteRetryMs);
}

bool CSelfDeleteApp::RemoveFolder(std::string& path)
{
    std::vector<char> folder(path.begin(), path.end());
    folder.push_back('\0');
    ::PathRemoveFileSpecA(folder.data());
    path = folder.data();
    if (!CanRemoveFolder(path))
        return true;
    bool complete = true;
    CFileFind find;
    for (BOOL more = find.FindFile(path + "\\*.*"); more && complete;) {
        more = find.FindNextFile();
        if (!find.IsDots() && !find.IsDirectory())
            complete = ::DeleteFileA(find.GetFilePath().c_str()) != FALSE;
    }
    find.Close();
    return ::RemoveDirectoryA(path.c_str()) && complete;
}
