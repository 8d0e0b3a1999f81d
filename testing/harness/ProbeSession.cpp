#include "testing/harness/ProbeSession.h"
#include <stdexcept>
#include "testing/harness/ChildProcess.h"

namespace e2e {

namespace {
// Beyond a request's own timeout: Wine's and the probe's own start-up.
constexpr int kAnswerMarginMs = 30000;
}

ProbeSession::ProbeSession(const std::vector<std::string>& command, const std::vector<std::string>& environment)
{
    ChildProcess::Options options;
    options.environment = environment;
    options.pipeInput = true;
    options.pipeOutput = true;
    m_process = std::make_unique<ChildProcess>(command, options);
}

ProbeSession::~ProbeSession()
{
    m_process->Write("quit\n");
    m_process->CloseInput();
    m_process->Wait(5000);
}

bool ProbeSession::TryAsk(const ProbeRecord& request, std::vector<ProbeRecord>& records, std::string& error,
                          int timeoutMs)
{
    records.clear();
    if (!m_process->Write(request.Format() + "\n")) {
        error = "the probe is gone";
        return false;
    }
    std::string line;
    while (m_process->ReadLine(line, timeoutMs + kAnswerMarginMs)) {
        ProbeRecord record = ProbeRecord::Parse(line);
        if (record.Kind() != "end") {
            records.push_back(record);
            continue;
        }
        error = record.Get("error");
        return record.GetNumber("ok") == 1;
    }
    error = "the probe did not answer '" + request.Kind() + "'";
    return false;
}

std::vector<ProbeRecord> ProbeSession::Ask(const ProbeRecord& request, int timeoutMs)
{
    std::vector<ProbeRecord> records;
    std::string error;
    if (!TryAsk(request, records, error, timeoutMs))
        throw std::runtime_error("probe " + request.Kind() + ": " + error);
    return records;
}

}
