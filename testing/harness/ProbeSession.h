#pragma once
#include <memory>
#include <string>
#include <vector>
#include "testing/probe/ProbeRecord.h"

namespace e2e {

class ChildProcess;

// A conversation with one probe process (orbiquel_probe ... session): one
// request line out, its records back. A probe that hangs or dies fails the
// request instead of the test run.
class ProbeSession {
public:
    ProbeSession(const std::vector<std::string>& command, const std::vector<std::string>& environment);
    ~ProbeSession();
    ProbeSession(const ProbeSession&) = delete;
    ProbeSession& operator=(const ProbeSession&) = delete;

    // The request's records; throws std::runtime_error with the probe's reason.
    std::vector<ProbeRecord> Ask(const ProbeRecord& request, int timeoutMs = 30000);
    // As Ask, but reports failure in error instead of throwing.
    bool TryAsk(const ProbeRecord& request, std::vector<ProbeRecord>& records, std::string& error,
                int timeoutMs = 30000);

private:
    std::unique_ptr<ChildProcess> m_process;
};

}
