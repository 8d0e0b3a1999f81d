#pragma once
#include <sys/types.h>
#include <string>
#include <vector>

// Finding the Linux processes of one session: every process whose command
// line mentions the session's unique token (its desktop, its scratch folder).
namespace e2e {

// raw is /proc/PID/cmdline: arguments separated by NUL bytes.
bool CommandLineMentions(const std::string& raw, const std::string& token);
std::vector<pid_t> ProcessesMentioning(const std::string& token);
// SIGKILL to each, then waits (up to timeoutMs) until they are gone.
void KillProcessesMentioning(const std::string& token, int timeoutMs);

}
