#pragma once
#include <sys/types.h>
#include <string>
#include <vector>

namespace e2e {

// A Linux process the harness started. The destructor kills it if it still
// runs and reaps it.
class ChildProcess {
public:
    struct Options {
        std::vector<std::string> environment; // NAME=value, added to ours
        bool pipeInput = false;
        bool pipeOutput = false;
        std::string outputFile;               // stderr, and stdout when not piped (default /dev/null)
    };

    ChildProcess(const std::vector<std::string>& command, const Options& options);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t Pid() const { return m_pid; }
    bool Running();
    // Waits for the end; false on timeout. The exit status lands in *status.
    bool Wait(int timeoutMs, int* status = nullptr);
    void Kill();
    // SIGTERM, and SIGKILL if it is still there after timeoutMs.
    void Terminate(int timeoutMs);

    bool Write(const std::string& text);
    void CloseInput();
    // The next line of output without its newline; false at the end or timeout.
    bool ReadLine(std::string& line, int timeoutMs);

private:
    bool Stop(int signal, int timeoutMs);

    pid_t m_pid = -1;
    bool m_reaped = false;
    int m_input = -1;
    int m_output = -1;
    std::string m_pending;
};

// Runs a command to its end; its exit status (-1 on timeout, after killing
// it). Its output is appended to *output when given.
int RunCommand(const std::vector<std::string>& command, const std::vector<std::string>& environment,
               int timeoutMs, std::string* output = nullptr);

}
