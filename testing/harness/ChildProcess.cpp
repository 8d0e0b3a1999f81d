#include "testing/harness/ChildProcess.h"
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <stdexcept>
#include <thread>

namespace e2e {

namespace {

using Clock = std::chrono::steady_clock;

std::vector<char*> ArgumentPointers(const std::vector<std::string>& strings)
{
    std::vector<char*> pointers;
    for (const auto& text : strings)
        pointers.push_back(const_cast<char*>(text.c_str()));
    pointers.push_back(nullptr);
    return pointers;
}

// In the child, between fork and exec: only async-signal-safe calls.
[[noreturn]] void ExecChild(const std::vector<char*>& argv, const std::vector<char*>& envp, int input, int output,
                            int errors)
{
    if (input >= 0)
        ::dup2(input, STDIN_FILENO);
    if (output >= 0)
        ::dup2(output, STDOUT_FILENO);
    if (errors >= 0)
        ::dup2(errors, STDERR_FILENO);
    ::setpgid(0, 0);
    ::execvpe(argv[0], argv.data(), envp.data());
    ::_exit(127);
}

std::vector<std::string> MergedEnvironment(const std::vector<std::string>& additions)
{
    std::vector<std::string> merged;
    for (char** entry = environ; *entry; ++entry) {
        std::string text = *entry;
        std::string name = text.substr(0, text.find('='));
        bool replaced = false;
        for (const auto& addition : additions)
            replaced = replaced || addition.compare(0, name.size() + 1, name + "=") == 0;
        if (!replaced)
            merged.push_back(text);
    }
    merged.insert(merged.end(), additions.begin(), additions.end());
    return merged;
}

int OpenOutputFile(const std::string& path)
{
    return ::open(path.empty() ? "/dev/null" : path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
}

}

ChildProcess::ChildProcess(const std::vector<std::string>& command, const Options& options)
{
    int inputPipe[2] = {-1, -1};
    int outputPipe[2] = {-1, -1};
    if ((options.pipeInput && ::pipe2(inputPipe, O_CLOEXEC) != 0) ||
        (options.pipeOutput && ::pipe2(outputPipe, O_CLOEXEC) != 0))
        throw std::runtime_error("cannot make a pipe");
    int outputFile = OpenOutputFile(options.outputFile);
    std::vector<std::string> environment = MergedEnvironment(options.environment);
    std::vector<char*> argv = ArgumentPointers(command);
    std::vector<char*> envp = ArgumentPointers(environment);

    m_pid = ::fork();
    if (m_pid == 0)
        ExecChild(argv, envp, inputPipe[0], options.pipeOutput ? outputPipe[1] : outputFile, outputFile);
    for (int end : {inputPipe[0], outputPipe[1], outputFile})
        if (end >= 0)
            ::close(end);
    m_input = inputPipe[1];
    m_output = outputPipe[0];
    if (m_pid < 0)
        throw std::runtime_error("cannot start " + command.front());
    // A probe that dies must not take the test with it through SIGPIPE.
    ::signal(SIGPIPE, SIG_IGN);
}

ChildProcess::~ChildProcess()
{
    CloseInput();
    if (m_output >= 0)
        ::close(m_output);
    Kill();
}

bool ChildProcess::Running()
{
    return !Wait(0);
}

bool ChildProcess::Wait(int timeoutMs, int* status)
{
    auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!m_reaped) {
        int result = 0;
        pid_t done = ::waitpid(m_pid, &result, WNOHANG);
        if (done == m_pid || (done < 0 && errno == ECHILD)) {
            m_reaped = true;
            if (status)
                *status = WIFEXITED(result) ? WEXITSTATUS(result) : -1;
            break;
        }
        if (Clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

void ChildProcess::Kill()
{
    Stop(SIGKILL, 5000);
}

void ChildProcess::Terminate(int timeoutMs)
{
    if (!Stop(SIGTERM, timeoutMs))
        Kill();
}

bool ChildProcess::Stop(int signal, int timeoutMs)
{
    if (m_reaped || m_pid <= 0)
        return true;
    ::kill(-m_pid, signal); // its process group: wrapper scripts and what they exec
    ::kill(m_pid, signal);
    return Wait(timeoutMs);
}

bool ChildProcess::Write(const std::string& text)
{
    for (size_t done = 0; done < text.size();) {
        ssize_t written = ::write(m_input, text.data() + done, text.size() - done);
        if (written <= 0)
            return false;
        done += static_cast<size_t>(written);
    }
    return true;
}

void ChildProcess::CloseInput()
{
    if (m_input >= 0)
        ::close(m_input);
    m_input = -1;
}

bool ChildProcess::ReadLine(std::string& line, int timeoutMs)
{
    auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        auto newline = m_pending.find('\n');
        if (newline != std::string::npos) {
            line = m_pending.substr(0, newline);
            m_pending.erase(0, newline + 1);
            return true;
        }
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        pollfd ready{m_output, POLLIN, 0};
        if (left <= 0 || ::poll(&ready, 1, static_cast<int>(left)) <= 0)
            return false;
        char buffer[4096];
        ssize_t count = ::read(m_output, buffer, sizeof buffer);
        if (count <= 0)
            return false;
        m_pending.append(buffer, static_cast<size_t>(count));
    }
}

int RunCommand(const std::vector<std::string>& command, const std::vector<std::string>& environment,
               int timeoutMs, std::string* output)
{
    ChildProcess::Options options;
    options.environment = environment;
    options.pipeOutput = output != nullptr;
    ChildProcess process(command, options);
    if (output) {
        std::string line;
        while (process.ReadLine(line, timeoutMs))
            *output += line + "\n";
    }
    int status = -1;
    if (!process.Wait(timeoutMs, &status))
        return -1;
    return status;
}

}
