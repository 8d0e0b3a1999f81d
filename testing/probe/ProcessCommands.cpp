// Processes of the prefix, found by the path of their executable.
#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>
#include <cstring>
#include <vector>
#include "testing/probe/ProbeCommands.h"
#include "testing/probe/ProbeWin32.h"

namespace {

struct ProcessEntry {
    DWORD pid;
    std::string path;
};

// The executable's DOS path. GetModuleFileNameEx cannot read the processes
// of a 64-bit prefix from a 32-bit one; QueryFullProcessImageName can (it
// is newer than the system this program targets, hence looked up).
std::string ImagePath(DWORD pid)
{
    using QueryImageName = BOOL(WINAPI*)(HANDLE, DWORD, LPSTR, PDWORD);
    static const auto query = reinterpret_cast<QueryImageName>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "QueryFullProcessImageNameA")));
    HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (!process || !query)
        return "";
    char path[MAX_PATH] = "";
    DWORD length = MAX_PATH;
    if (!query(process, 0, path, &length))
        path[0] = '\0';
    ::CloseHandle(process);
    return path;
}

std::vector<ProcessEntry> RunningProcesses()
{
    std::vector<ProcessEntry> processes;
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return processes;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32First(snapshot, &entry); more; more = ::Process32Next(snapshot, &entry))
        if (entry.th32ProcessID != ::GetCurrentProcessId())
            processes.push_back({entry.th32ProcessID, ImagePath(entry.th32ProcessID)});
    ::CloseHandle(snapshot);
    return processes;
}

// Paths compare as the file system does: without regard to case.
bool StartsWith(const std::string& path, const std::string& prefix)
{
    return !prefix.empty() && path.size() >= prefix.size() &&
           ::_strnicmp(path.c_str(), prefix.c_str(), prefix.size()) == 0;
}

bool SamePath(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && StartsWith(a, b);
}

// running=0, or running=1 with the first match's pid and working sets.
void DescribeProcess(const std::string& path, ProbeRecord& record)
{
    record.Set("path", path).SetNumber("running", 0);
    for (const auto& process : RunningProcesses()) {
        if (!SamePath(process.path, path))
            continue;
        record.SetNumber("running", 1).SetNumber("pid", process.pid);
        HANDLE handle = ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, process.pid);
        PROCESS_MEMORY_COUNTERS counters{};
        counters.cb = sizeof counters;
        if (handle && ::GetProcessMemoryInfo(handle, &counters, sizeof counters))
            record.SetNumber("peakWorkingSet", counters.PeakWorkingSetSize)
                .SetNumber("workingSet", counters.WorkingSetSize);
        if (handle)
            ::CloseHandle(handle);
        return;
    }
}

}

bool ProcessCommand(const ProbeRecord& request, ProbeReply& reply)
{
    DescribeProcess(request.Get("path"), reply.Add("process"));
    return true;
}

// Waits until no process runs the executable at path=.
bool WaitExitCommand(const ProbeRecord& request, ProbeReply& reply)
{
    Deadline deadline(TimeoutField(request));
    for (;;) {
        ProbeRecord state("process");
        DescribeProcess(request.Get("path"), state);
        if (state.GetNumber("running") == 0 || deadline.Passed()) {
            reply.records.push_back(state);
            return true;
        }
        ::Sleep(kPollMilliseconds);
    }
}

// Ends every process whose executable lies under the folder under=.
bool KillCommand(const ProbeRecord& request, ProbeReply& reply)
{
    std::string folder = request.Get("under");
    if (folder.empty())
        return reply.Fail("kill needs a folder");
    if (folder.back() != '\\')
        folder += '\\';
    int killed = 0;
    for (const auto& process : RunningProcesses()) {
        if (!StartsWith(process.path, folder))
            continue;
        HANDLE handle = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, process.pid);
        if (handle && ::TerminateProcess(handle, 1)) {
            ::WaitForSingleObject(handle, 5000);
            ++killed;
        }
        if (handle)
            ::CloseHandle(handle);
    }
    reply.Add("killed").SetNumber("count", killed);
    return true;
}

// Starts the command line command= on the probe's own desktop → process pid=.
// Unlike the harness's launcher, any path and any arguments go through
// unchanged (folders with blanks, hand-made switches).
bool StartCommand(const ProbeRecord& request, ProbeReply& reply)
{
    std::string command = request.Get("command");
    if (command.empty())
        return reply.Fail("start needs a command line");
    char desktop[256] = "";
    ::GetUserObjectInformationA(::GetThreadDesktop(::GetCurrentThreadId()), UOI_NAME, desktop, sizeof desktop,
                                nullptr);
    std::vector<char> commandLine(command.begin(), command.end());
    commandLine.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.lpDesktop = desktop;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process))
        return reply.Fail("cannot start " + command + " (error " + std::to_string(::GetLastError()) + ")");
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    reply.Add("process").SetNumber("pid", process.dwProcessId);
    return true;
}
