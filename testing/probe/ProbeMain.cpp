// orbiquel_probe: looks into a running program for the end-to-end tests.
//
//   orbiquel_probe [--desktop=NAME] COMMAND [key=value...]   one request
//   orbiquel_probe [--desktop=NAME] session                  requests on stdin
//
// Every answer is a run of records closed by an "end" record (ok=1, or ok=0
// with error=). In a session each request is one record line. With
// --desktop the probe works on that desktop, waiting for it to exist.
#include <windows.h>
#include <string>
#include <vector>
#include "testing/probe/ProbeCommands.h"
#include "testing/probe/ProbeWin32.h"

namespace {

constexpr char kDesktopOption[] = "--desktop=";
constexpr DWORD kDesktopTimeout = 30000;

void WriteOut(const std::string& text)
{
    HANDLE out = ::GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD written = 0;
    for (size_t done = 0; done < text.size(); done += written)
        if (!::WriteFile(out, text.data() + done, static_cast<DWORD>(text.size() - done), &written, nullptr))
            return;
}

void Answer(const ProbeRecord& request)
{
    ProbeReply reply;
    bool ok = RunProbeRequest(request, reply);
    std::string text;
    for (const auto& record : reply.records)
        text += record.Format() + "\n";
    ProbeRecord end("end");
    end.SetNumber("ok", ok ? 1 : 0);
    if (!ok)
        end.Set("error", reply.error);
    WriteOut(text + end.Format() + "\n");
}

bool ReadLine(std::string& pending, std::string& line)
{
    HANDLE in = ::GetStdHandle(STD_INPUT_HANDLE);
    for (;;) {
        auto newline = pending.find('\n');
        if (newline != std::string::npos) {
            line = pending.substr(0, newline);
            pending.erase(0, newline + 1);
            return true;
        }
        char buffer[4096];
        DWORD read = 0;
        if (!::ReadFile(in, buffer, sizeof buffer, &read, nullptr) || read == 0)
            return false;
        pending.append(buffer, read);
    }
}

void RunSession()
{
    std::string pending, line;
    while (ReadLine(pending, line)) {
        ProbeRecord request = ProbeRecord::Parse(line);
        if (request.Kind() == "quit")
            return;
        if (!request.Kind().empty())
            Answer(request);
    }
}

// Windows of a named desktop are visible only to a thread that uses it.
bool UseDesktop(const std::string& name)
{
    Deadline deadline(kDesktopTimeout);
    for (;;) {
        HDESK desktop = ::OpenDesktopA(name.c_str(), 0, FALSE, GENERIC_ALL);
        if (desktop)
            return ::SetThreadDesktop(desktop) != FALSE;
        if (deadline.Passed())
            return false;
        ::Sleep(kPollMilliseconds);
    }
}

}

int main(int argc, char** argv)
{
    std::vector<std::string> arguments(argv + 1, argv + argc);
    if (!arguments.empty() && arguments.front().rfind(kDesktopOption, 0) == 0) {
        std::string desktop = arguments.front().substr(sizeof kDesktopOption - 1);
        arguments.erase(arguments.begin());
        if (!UseDesktop(desktop)) {
            WriteOut(ProbeRecord("end").SetNumber("ok", 0).Set("error", "no desktop " + desktop).Format() + "\n");
            return 2;
        }
    }
    if (arguments.empty()) {
        WriteOut(ProbeRecord("end").SetNumber("ok", 0).Set("error", "usage: [--desktop=NAME] COMMAND|session").Format() +
                 "\n");
        return 2;
    }
    if (arguments.front() == "session") {
        RunSession();
        return 0;
    }
    Answer(ProbeRecord::FromArguments(arguments));
    return 0;
}
