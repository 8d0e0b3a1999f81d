#include "testing/probe/RemoteAgent.h"
#include <sstream>

namespace {

constexpr DWORD kAgentTimeout = 10000;
constexpr char kAgentLibrary[] = "orbiquel_probe_agent.dll";

std::string AgentLibraryPath()
{
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\') + 1) + kAgentLibrary;
}

// The named block and event through which one request travels.
class AgentChannel {
public:
    explicit AgentChannel(DWORD thread)
        : m_block(::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(AgentRequest),
                                       AgentBlockName(thread).c_str())),
          m_done(::CreateEventA(nullptr, TRUE, FALSE, AgentDoneName(thread).c_str())),
          m_view(m_block ? ::MapViewOfFile(m_block, FILE_MAP_WRITE, 0, 0, sizeof(AgentRequest)) : nullptr)
    {
        // The agent may still hold the last request's event, signalled; this
        // request must not take that signal for its answer.
        if (m_done)
            ::ResetEvent(m_done);
    }
    ~AgentChannel()
    {
        if (m_view)
            ::UnmapViewOfFile(m_view);
        if (m_done)
            ::CloseHandle(m_done);
        if (m_block)
            ::CloseHandle(m_block);
    }
    AgentChannel(const AgentChannel&) = delete;
    AgentChannel& operator=(const AgentChannel&) = delete;

    bool Ready() const { return m_view && m_done; }
    AgentRequest& Request() const { return *static_cast<AgentRequest*>(m_view); }
    bool WaitAnswered() const
    {
        return ::WaitForSingleObject(m_done, kAgentTimeout) == WAIT_OBJECT_0 && !Request().pending;
    }

private:
    HANDLE m_block;
    HANDLE m_done;
    void* m_view;
};

HOOKPROC AgentHook(std::string& error)
{
    HMODULE agent = ::LoadLibraryA(AgentLibraryPath().c_str());
    FARPROC entry = agent ? ::GetProcAddress(agent, PROBE_AGENT_HOOK) : nullptr;
    auto hook = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(entry));
    if (!hook)
        error = "agent library missing beside the probe";
    return hook;
}

}

bool RunInOwnerThread(AgentRequest& request, std::string& error)
{
    DWORD thread = ::GetWindowThreadProcessId(request.window, nullptr);
    HOOKPROC hookProc = AgentHook(error);
    AgentChannel channel(thread);
    if (!thread || !hookProc || !channel.Ready()) {
        if (error.empty())
            error = "cannot reach the window's thread";
        return false;
    }
    channel.Request() = request;
    channel.Request().pending = TRUE;
    HMODULE agent = ::GetModuleHandleA(kAgentLibrary);
    HHOOK hook = ::SetWindowsHookExA(WH_GETMESSAGE, hookProc, agent, thread);
    bool answered = hook && ::PostMessageA(request.window, ::RegisterWindowMessageA(PROBE_AGENT_MESSAGE), 0, 0) &&
                    channel.WaitAnswered();
    if (hook)
        ::UnhookWindowsHookEx(hook);
    if (!answered) {
        error = "the agent did not answer";
        return false;
    }
    request = channel.Request();
    return true;
}

void AddAgentAnswer(const AgentRequest& request, ProbeReply& reply)
{
    AddAnswerLines(request.answer, reply);
}

void AddAnswerLines(const std::string& answer, ProbeReply& reply)
{
    std::istringstream lines(answer);
    std::string line;
    while (std::getline(lines, line))
        if (!line.empty())
            reply.records.push_back(ProbeRecord::Parse(line));
}
