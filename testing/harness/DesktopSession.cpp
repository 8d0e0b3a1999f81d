#include "testing/harness/DesktopSession.h"
#include <unistd.h>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <thread>
#include "host/HostFacts.h"
#include "testing/harness/ChildProcess.h"
#include "testing/harness/HarnessPaths.h"
#include "testing/harness/ProbeAnswers.h"
#include "testing/harness/ProbeSession.h"
#include "testing/harness/ProcessScan.h"
#include "testing/harness/XServer.h"
#include "testing/harness/XdotoolCommands.h"

namespace fs = std::filesystem;

namespace e2e {

namespace {

constexpr char kMainWindowTitle[] = "BETA Orbiquel 0.8";
constexpr char kDialogClass[] = "#32770";
constexpr int kDesktopTimeoutMs = 30000;
constexpr int kPaintTimeoutMs = 20000;
constexpr int kDesktopAttempts = 3;
constexpr int kInputTimeoutMs = 30000;
constexpr int kCleanupTimeoutMs = 10000;

std::string HostKey()
{
    return std::string("HKCU\\") + host::kSettingsKey;
}

// Lower case only: the program lower-cases its own path to name its settings file.
std::string UniqueToken()
{
    static std::atomic<int> counter{0};
    std::random_device random;
    return "orbiquel-e2e-" + std::to_string(::getpid()) + "-" + std::to_string(++counter) + "-" +
           std::to_string(random() % 100000);
}

ProbeRecord Request(const std::string& kind)
{
    return ProbeRecord(kind);
}

ProbeRecord WindowRequest(const std::string& kind, Hwnd window)
{
    return ProbeRecord(kind).SetNumber("hwnd", window);
}

}

DesktopSession::DesktopSession(SessionOptions options)
    : m_options(options), m_token(UniqueToken()), m_folder(fs::temp_directory_path().string() + "/" + m_token),
      m_prefix(WinePrefix(options.dpi, options.locale, options.fileDialogs))
{
    if (!fs::exists(m_prefix + "/system.reg"))
        throw std::runtime_error("no Wine prefix at " + m_prefix + " (the wineprefix fixtures make it)");
    fs::create_directories(ProgramFolder());
    try {
        m_xserver = std::make_unique<XServer>(options.desktopWidth, options.desktopHeight);
        StartDesktop();
        m_probe = std::make_unique<ProbeSession>(
            std::vector<std::string>{WineRunScript(), m_prefix, ProbeExecutable(), "--desktop=" + m_desktopName, "session"},
            WineEnvironment());
        DeleteHostKey();
    } catch (...) {
        EndEverything();
        throw;
    }
}

DesktopSession::~DesktopSession()
{
    EndEverything();
}

std::string DesktopSession::WindowsPath(const std::string& linuxPath)
{
    return ToWindowsPath(linuxPath);
}

std::vector<std::string> DesktopSession::WineEnvironment() const
{
    std::vector<std::string> environment{"DISPLAY=" + m_xserver->Display()};
    if (!m_options.locale.empty()) {
        // Where testing/wine-prefix.sh compiled the locale.
        environment.push_back("LOCPATH=" + m_prefix + "/locale");
        environment.push_back("LC_ALL=" + m_options.locale);
    }
    return environment;
}

// Under the emulated 32-bit Wine a new desktop now and then never appears, or
// never paints and never shows a window; it is then replaced by a fresh one.
void DesktopSession::StartDesktop()
{
    for (int attempt = 1;; ++attempt) {
        m_desktopName = m_token + (attempt > 1 ? "-" + std::to_string(attempt) : "");
        if (LaunchDesktop() && DesktopPainted())
            return;
        if (attempt == kDesktopAttempts)
            throw std::runtime_error("the Wine desktop " + m_desktopName + " did not appear or never painted");
        m_desktop.reset();
        KillProcessesMentioning(m_desktopName, kCleanupTimeoutMs);
    }
}

bool DesktopSession::LaunchDesktop()
{
    std::string size = std::to_string(m_options.desktopWidth) + "x" + std::to_string(m_options.desktopHeight);
    ChildProcess::Options options;
    options.environment = WineEnvironment();
    m_desktop = std::make_unique<ChildProcess>(
        std::vector<std::string>{WineRunScript(), m_prefix, "explorer", "/desktop=" + m_desktopName + "," + size},
        options);
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kDesktopTimeoutMs);
    while ((m_desktopWindow = DesktopWindowId()).empty()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return true;
}

// True once the desktop's background is drawn (an X window starts black).
bool DesktopSession::DesktopPainted()
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kPaintTimeoutMs);
    while (std::chrono::steady_clock::now() < deadline) {
        std::string pixel;
        RunCommand({"import", "-window", m_desktopWindow, "-crop", "1x1+2+2", "txt:-"}, WineEnvironment(),
                   kInputTimeoutMs, &pixel);
        if (pixel.find("srgb") != std::string::npos && pixel.find("black") == std::string::npos)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
    }
    return false;
}

std::string DesktopSession::DesktopWindowId()
{
    std::string output;
    RunCommand({"xdotool", "search", "--name", "^" + m_desktopName + " - Wine desktop$"}, WineEnvironment(), 10000,
               &output);
    return output.substr(0, output.find('\n'));
}

void DesktopSession::EndEverything()
{
    try {
        if (m_probe) {
            std::vector<ProbeRecord> ignored;
            std::string error;
            m_probe->TryAsk(ProbeRecord("kill").Set("under", WindowsPath(m_folder)), ignored, error, 10000);
        }
        m_probe.reset();
        KillProcessesMentioning(m_token, kCleanupTimeoutMs);
        m_launchers.clear();
        m_desktop.reset();
        m_xserver.reset();
        std::error_code ignored;
        fs::remove_all(m_folder, ignored);
    } catch (...) {
        // Cleanup must never throw out of a destructor; leftovers carry the token.
    }
}

void DesktopSession::InstallHost(const std::optional<std::string>& pathValue)
{
    ProbeRecord request("host-install");
    request.Set("folder", WindowsPath(HostFolder()));
    if (pathValue)
        request.Set("path", *pathValue);
    m_probe->Ask(request);
    fs::copy_file(HostExecutable(), HostFolder() + "/" + host::kExecutable, fs::copy_options::overwrite_existing);
}

void DesktopSession::StartHost(const std::string& switches)
{
    // One word per argument: Wine quotes an argument with blanks, which the
    // host would take for part of its switch.
    std::vector<std::string> commandLine{WindowsPath(HostFolder() + "/" + host::kExecutable)};
    std::istringstream words(switches);
    for (std::string word; words >> word;)
        commandLine.push_back(word);
    LaunchOnDesktop(commandLine);
}

std::vector<std::string> DesktopSession::HostLog() const
{
    std::vector<std::string> lines;
    std::ifstream log(HostFolder() + "/Melodrift.log", std::ios::binary);
    for (std::string line; std::getline(log, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

bool DesktopSession::WaitForHostLog(const std::string& line, int timeoutMs)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        std::vector<std::string> lines = HostLog();
        if (std::find(lines.begin(), lines.end(), line) != lines.end())
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

RegistryValue DesktopSession::ReadHostValue(const std::string& name)
{
    auto records = m_probe->Ask(Request("reg-get").Set("key", HostKey()).Set("name", name));
    return ToRegistryValue(records.at(0));
}

void DesktopSession::WriteHostValue(const std::string& name, const std::string& text)
{
    m_probe->Ask(Request("reg-set").Set("key", HostKey()).Set("name", name).Set("sz", text));
}

void DesktopSession::DeleteHostValue(const std::string& name)
{
    m_probe->Ask(Request("reg-delete").Set("key", HostKey()).Set("name", name));
}

void DesktopSession::DeleteHostKey()
{
    m_probe->Ask(Request("reg-delete").Set("key", HostKey()));
}

void DesktopSession::StartProgram(const std::string& executable)
{
    PlaceProgram(executable);
    StartPlacedProgram();
}

void DesktopSession::PlaceProgram(const std::string& executable)
{
    fs::copy_file(executable.empty() ? AppExecutable() : executable, ProgramPath(),
                  fs::copy_options::overwrite_existing);
}

void DesktopSession::StartPlacedProgram()
{
    LaunchOnDesktop({WindowsPath(ProgramPath())});
}

void DesktopSession::LaunchOnDesktop(const std::vector<std::string>& commandLine)
{
    std::string size = std::to_string(m_options.desktopWidth) + "x" + std::to_string(m_options.desktopHeight);
    std::vector<std::string> command{WineRunScript(), m_prefix, "explorer", "/desktop=" + m_desktopName + "," + size};
    command.insert(command.end(), commandLine.begin(), commandLine.end());
    ChildProcess::Options options;
    options.environment = WineEnvironment();
    // explorer starts the command line on the existing desktop and returns.
    m_launchers.push_back(std::make_unique<ChildProcess>(command, options));
}

std::vector<std::string> DesktopSession::FilesBesideProgram() const
{
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(ProgramFolder()))
        if (entry.path() != ProgramPath())
            files.push_back(entry.path().filename().string());
    return files;
}

ProcessInfo DesktopSession::Program()
{
    return ToProcessInfo(m_probe->Ask(Request("process").Set("path", WindowsPath(ProgramPath()))).at(0));
}

bool DesktopSession::WaitForProgramExit(int timeoutMs)
{
    ProbeRecord request = Request("wait-exit").Set("path", WindowsPath(ProgramPath()));
    request.SetNumber("timeout", timeoutMs);
    return !ToProcessInfo(m_probe->Ask(request, timeoutMs).at(0)).running;
}

bool DesktopSession::KillProgram()
{
    KillProcessesMentioning(WindowsPath(ProgramPath()), kCleanupTimeoutMs);
    return WaitForProgramExit();
}

WindowInfo DesktopSession::WaitForMainWindow(int timeoutMs)
{
    auto window = WaitForWindow(kMainWindowTitle, kDialogClass, timeoutMs);
    if (window)
        return *window;
    auto other = WaitForWindow("", "", 0);
    throw std::runtime_error("the main window did not appear (program " +
                             std::string(Program().running ? "running" : "not running") + ", first window: '" +
                             (other ? other->text + "' " + other->className : "none'") + ", picture " +
                             Screenshot("missing-main-window-" + m_token) + ")");
}

std::optional<WindowInfo> DesktopSession::WaitForWindow(const std::string& title, const std::string& className,
                                                        int timeoutMs)
{
    ProbeRecord request = Request("wait-window").Set("title", title).Set("class", className);
    request.SetNumber("timeout", timeoutMs);
    std::vector<ProbeRecord> records;
    std::string error;
    if (!m_probe->TryAsk(request, records, error, timeoutMs) || records.empty())
        return std::nullopt;
    return ToWindowInfo(records.front());
}

WindowInfo DesktopSession::Window(Hwnd handle)
{
    return ToWindowInfo(m_probe->Ask(WindowRequest("window", handle)).at(0));
}

bool DesktopSession::WaitForWindowGone(Hwnd handle, int timeoutMs)
{
    ProbeRecord request = WindowRequest("wait-gone", handle);
    request.SetNumber("timeout", timeoutMs);
    return m_probe->Ask(request, timeoutMs).at(0).GetNumber("gone") == 1;
}

std::vector<WindowInfo> DesktopSession::Children(Hwnd handle)
{
    std::vector<WindowInfo> children;
    for (const auto& record : m_probe->Ask(WindowRequest("children", handle)))
        children.push_back(ToWindowInfo(record));
    return children;
}

WindowInfo DesktopSession::Control(Hwnd parent, int id)
{
    for (const auto& child : Children(parent))
        if (child.id == id)
            return child;
    throw std::runtime_error("no control " + std::to_string(id));
}

WindowInfo DesktopSession::Focus(Hwnd window)
{
    return ToWindowInfo(m_probe->Ask(WindowRequest("focus", window)).at(0));
}

std::vector<MenuItem> DesktopSession::SystemMenu(Hwnd window)
{
    std::vector<MenuItem> items;
    for (const auto& record : m_probe->Ask(WindowRequest("sysmenu", window)))
        items.push_back(ToMenuItem(record));
    return items;
}

std::vector<MenuItem> DesktopSession::PopupMenu(Hwnd menuWindow)
{
    std::vector<MenuItem> items;
    for (const auto& record : m_probe->Ask(WindowRequest("popup-menu", menuWindow)))
        items.push_back(ToMenuItem(record));
    return items;
}

std::optional<DialogInfo> DesktopSession::WaitForDialog(const std::string& title, int timeoutMs)
{
    ProbeRecord request = Request("wait-dialog").Set("title", title);
    request.SetNumber("timeout", timeoutMs);
    std::vector<ProbeRecord> records;
    std::string error;
    if (!m_probe->TryAsk(request, records, error, timeoutMs) || records.empty())
        return std::nullopt;
    return ToDialogInfo(records);
}

std::vector<ListRow> DesktopSession::Rows(Hwnd list)
{
    std::vector<ListRow> rows;
    for (const auto& record : m_probe->Ask(WindowRequest("rows", list)))
        rows.push_back(ToListRow(record));
    return rows;
}

std::vector<AccessibleRow> DesktopSession::AccessibleRows(Hwnd list, bool fromOtherProcess)
{
    // The first read from another process may have Wine start its RPC
    // service, a process of its own, which a busy emulated machine can take
    // a minute to bring up.
    const int timeoutMs = fromOtherProcess ? 150000 : 30000;
    std::vector<AccessibleRow> rows;
    for (const auto& record : m_probe->Ask(
             WindowRequest("acc-rows", list).SetNumber("outside", fromOtherProcess ? 1 : 0), timeoutMs)) {
        if (record.Kind() == "accerror")
            throw std::runtime_error("the list's accessible object: " + record.Get("what"));
        rows.push_back(ToAccessibleRow(record));
    }
    return rows;
}

void DesktopSession::DoDefaultAction(Hwnd list, int row)
{
    m_probe->Ask(WindowRequest("acc-default", list).SetNumber("child", row + 1));
}

void DesktopSession::SetRowFlags(Hwnd list, int row, unsigned long flags)
{
    m_probe->Ask(WindowRequest("set-flags", list).SetNumber("row", row).SetNumber("flags", flags));
}

void DesktopSession::DropFiles(Hwnd window, Point client, const std::vector<std::string>& linuxPaths)
{
    std::string paths;
    for (const std::string& path : linuxPaths)
        paths += (paths.empty() ? "" : "|") + WindowsPath(path);
    m_probe->Ask(WindowRequest("drop-files", window).SetNumber("x", client.x).SetNumber("y", client.y).Set("paths", paths));
}

Rect DesktopSession::DialogUnitsToPixels(Hwnd dialog, Rect units)
{
    ProbeRecord request = WindowRequest("dialog-rect", dialog);
    request.SetNumber("left", units.left)
        .SetNumber("top", units.top)
        .SetNumber("right", units.right)
        .SetNumber("bottom", units.bottom);
    ProbeRecord rect = m_probe->Ask(request).at(0);
    return {static_cast<int>(rect.GetNumber("left")), static_cast<int>(rect.GetNumber("top")),
            static_cast<int>(rect.GetNumber("right")), static_cast<int>(rect.GetNumber("bottom"))};
}

int DesktopSession::Dpi()
{
    return static_cast<int>(m_probe->Ask(Request("dpi")).at(0).GetNumber("x"));
}

void DesktopSession::Xdotool(const std::vector<std::string>& arguments)
{
    std::vector<std::string> command{"xdotool"};
    command.insert(command.end(), arguments.begin(), arguments.end());
    if (RunCommand(command, WineEnvironment(), kInputTimeoutMs) != 0)
        throw std::runtime_error("xdotool failed: " + arguments.front());
}

void DesktopSession::Click(Point at, int button)
{
    Xdotool(ClickArguments(m_desktopWindow, at, button, 1));
}

void DesktopSession::DoubleClick(Point at)
{
    Xdotool(ClickArguments(m_desktopWindow, at, 1, 2));
}

void DesktopSession::ClickInWindow(const WindowInfo& window, Point offset)
{
    Click({window.window.left + offset.x, window.window.top + offset.y});
}

void DesktopSession::MouseDown(Point at, int button)
{
    Xdotool(PressArguments(m_desktopWindow, at, button));
}

void DesktopSession::MouseMove(Point to)
{
    Xdotool(MoveArguments(m_desktopWindow, to));
}

void DesktopSession::MouseUp(int button)
{
    Xdotool({"mouseup", std::to_string(button)});
}

void DesktopSession::Drag(Point from, Point to, int steps, int button)
{
    Xdotool(DragArguments(m_desktopWindow, from, to, steps, button));
}

void DesktopSession::Key(const std::string& keys)
{
    // Without a window manager the keyboard follows the X input focus.
    Xdotool({"windowfocus", m_desktopWindow, "key", "--delay", "50", keys});
}

void DesktopSession::KeyDown(const std::string& key)
{
    Xdotool({"windowfocus", m_desktopWindow, "keydown", key});
}

void DesktopSession::KeyUp(const std::string& key)
{
    Xdotool({"keyup", key});
}

std::string DesktopSession::Screenshot(const std::string& name)
{
    fs::create_directories(OutputDir());
    std::string file = name;
    for (char& c : file)
        if (c == '/')
            c = '-'; // parameterised test names
    std::string path = OutputDir() + "/" + file + ".png";
    if (RunCommand({"import", "-window", m_desktopWindow, path}, WineEnvironment(), kInputTimeoutMs) != 0)
        throw std::runtime_error("no screenshot " + path);
    return path;
}

}
