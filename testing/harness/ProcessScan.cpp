#include "testing/harness/ProcessScan.h"
#include <dirent.h>
#include <signal.h>
#include <unistd.h>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <thread>

namespace e2e {

namespace {

std::string ReadCommandLine(pid_t pid)
{
    std::ifstream file("/proc/" + std::to_string(pid) + "/cmdline", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}

bool CommandLineMentions(const std::string& raw, const std::string& token)
{
    return !token.empty() && raw.find(token) != std::string::npos;
}

std::vector<pid_t> ProcessesMentioning(const std::string& token)
{
    std::vector<pid_t> found;
    DIR* proc = ::opendir("/proc");
    if (!proc)
        return found;
    while (dirent* entry = ::readdir(proc)) {
        char* end = nullptr;
        long pid = std::strtol(entry->d_name, &end, 10);
        if (*end != '\0' || pid <= 0 || pid == ::getpid())
            continue;
        if (CommandLineMentions(ReadCommandLine(static_cast<pid_t>(pid)), token))
            found.push_back(static_cast<pid_t>(pid));
    }
    ::closedir(proc);
    return found;
}

void KillProcessesMentioning(const std::string& token, int timeoutMs)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        std::vector<pid_t> left = ProcessesMentioning(token);
        if (left.empty() || std::chrono::steady_clock::now() >= deadline)
            return;
        for (pid_t pid : left)
            ::kill(pid, SIGKILL);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

}
