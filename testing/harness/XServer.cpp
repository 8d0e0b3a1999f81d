#include "testing/harness/XServer.h"
#include <stdexcept>
#include "testing/harness/ChildProcess.h"

namespace e2e {

namespace {
constexpr int kStartTimeoutMs = 15000;
}

XServer::XServer(int width, int height)
{
    ChildProcess::Options options;
    options.pipeOutput = true; // -displayfd 1: Xvfb names its display there once it is ready
    std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    m_process = std::make_unique<ChildProcess>(
        std::vector<std::string>{"Xvfb", "-displayfd", "1", "-screen", "0", screen, "-nolisten", "tcp"}, options);
    std::string number;
    if (!m_process->ReadLine(number, kStartTimeoutMs) || number.empty())
        throw std::runtime_error("Xvfb did not start");
    m_display = ":" + number;
}

XServer::~XServer()
{
    // Politely, so that Xvfb removes its lock file and socket.
    m_process->Terminate(5000);
}

}
