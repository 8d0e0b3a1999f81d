// A stand-in for the Melodrift player, for the end-to-end tests and the demo.
// It does what the manager relies on: one instance per desktop, switches
// handed to the running one, the settings key, the shared state record and
// its event, the keys that step through the visuals. Everything it sees goes
// to Melodrift.log beside it, so tests can read what the player was told.
//
// Marker files beside the executable shape it for a test:
//   Melodrift.stubborn     -quit is ignored
//   Melodrift.windowdelay  milliseconds to wait before the window appears
//   Melodrift.hold         a path under Vis, held open without sharing until exit
//   Melodrift.keydelay     milliseconds each visual key takes, as a slow player's
//   Melodrift.norecord     no shared state record and event: a manager's channel cannot open
#include <windows.h>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>
#include "host/HostFacts.h"
#include "testing/host/HostLog.h"
#include "testing/host/HostVisuals.h"

using namespace standin_host;

namespace {

constexpr ULONG_PTR kCopyDataCommand = 0x4D44;  // "MD"
constexpr UINT_PTR kPlayTimer = 1;
constexpr UINT kPlayTimerMs = 250;
constexpr UINT kHandOverTimeoutMs = 5000;
constexpr int kWindowWidth = 300;
constexpr int kWindowHeight = 120;

struct Host {
    std::string folder;
    std::vector<std::string> visuals;
    std::vector<HMODULE> libraries;
    int current = 0;
    bool playing = false;
    DWORD position = 0;
    DWORD positionTick = 0;  // when the position was last brought up to date
    HANDLE mapping = nullptr;
    unsigned char* info = nullptr;
    HANDLE infoEvent = nullptr;
    HANDLE held = INVALID_HANDLE_VALUE;
    HWND window = nullptr;
    DWORD keyDelay = 0;
} g_host;

std::string Trim(const std::string& text)
{
    size_t first = text.find_first_not_of(" \t\r\n");
    return first == std::string::npos ? "" : text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

std::string OwnFolder()
{
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\'));
}

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The command line after the executable's name (and its closing quote).
std::string CommandTail()
{
    std::string line = ::GetCommandLineA();
    std::string name = Lower(host::kExecutable);
    size_t at = Lower(line).find(name);
    if (at == std::string::npos)
        return "";
    at += name.size();
    if (at < line.size() && line[at] == '"')
        ++at;
    return line.substr(at);
}

std::string MarkerText(const char* extension)
{
    std::string text;
    HANDLE file = ::CreateFileA((g_host.folder + "\\Melodrift." + extension).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return text;
    char buffer[MAX_PATH];
    DWORD read = 0;
    if (::ReadFile(file, buffer, sizeof buffer, &read, nullptr))
        text.assign(buffer, read);
    ::CloseHandle(file);
    return Trim(text);
}

bool MarkerExists(const char* extension)
{
    return ::GetFileAttributesA((g_host.folder + "\\Melodrift." + extension).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A whole decimal number that is a position in the list of visuals.
bool ParseVisual(const std::string& text, int& index)
{
    char* end = nullptr;
    long number = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || number < 0 || number >= static_cast<long>(g_host.visuals.size()))
        return false;
    index = static_cast<int>(number);
    return true;
}

int RememberedVisual()
{
    char text[32] = "";
    DWORD size = sizeof text - 1;
    DWORD type = 0;
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, host::kSettingsKey, 0, KEY_QUERY_VALUE, &key) == ERROR_SUCCESS) {
        if (::RegQueryValueExA(key, host::kVisNumberValue, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) !=
                ERROR_SUCCESS ||
            type != REG_SZ)
            text[0] = '\0';
        ::RegCloseKey(key);
    }
    int index = 0;
    return ParseVisual(text, index) ? index : 0;
}

void RememberVisual(int index)
{
    HKEY key = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, host::kSettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                          nullptr) != ERROR_SUCCESS)
        return;
    std::string text = std::to_string(index);
    ::RegSetValueExA(key, host::kVisNumberValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                     static_cast<DWORD>(text.size() + 1));
    ::RegCloseKey(key);
}

void OpenSharedRecord()
{
    if (MarkerExists("norecord"))
        return;
    g_host.mapping =
        ::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, host::kInfoSize, host::kInfoMapping);
    if (g_host.mapping)
        g_host.info = static_cast<unsigned char*>(::MapViewOfFile(g_host.mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0));
    g_host.infoEvent = ::CreateEventA(nullptr, FALSE, FALSE, host::kInfoEvent);
}

// Writes the name of the current visual into the shared record and wakes the watchers.
void PublishName(const std::string& name)
{
    if (g_host.info) {
        size_t room = host::kInfoSize - host::kInfoVisNameOffset - 1;
        size_t length = name.size() < room ? name.size() : room;
        std::memcpy(g_host.info + host::kInfoVisNameOffset, name.data(), length);
        g_host.info[host::kInfoVisNameOffset + length] = '\0';
    }
    ::SetEvent(g_host.infoEvent);
}

void PublishPosition(DWORD position)
{
    g_host.position = position;
    g_host.positionTick = ::GetTickCount();
    if (g_host.info)
        std::memcpy(g_host.info + host::kInfoPositionOffset, &position, sizeof position);
    ::SetEvent(g_host.infoEvent);
    if (g_host.window)
        ::InvalidateRect(g_host.window, nullptr, TRUE);
}

void ShowVisual(int index)
{
    g_host.current = index;
    const std::string& name = g_host.visuals[index];
    Log("visual %d %s", index, name.c_str());
    PublishName(name);
    if (g_host.window)
        ::InvalidateRect(g_host.window, nullptr, TRUE);
}

void StepVisual(int step)
{
    int count = static_cast<int>(g_host.visuals.size());
    ShowVisual((g_host.current + step + count) % count);
}

void RunCommand(const std::string& command)
{
    std::string name = command.substr(0, command.find(' '));
    std::string argument = Trim(command.substr(name.size()));
    if (name == "-quit" && MarkerExists("stubborn")) {
        Log("command -quit ignored");
        return;
    }
    Log("command %s position %lu", command.c_str(), g_host.position);
    int index = 0;
    if (name == "-quit") {
        ::DestroyWindow(g_host.window);
    } else if (name == "-play" && !g_host.playing) {
        g_host.playing = true;
        g_host.positionTick = ::GetTickCount();
    } else if (name == "-scanto") {
        PublishPosition(std::strtoul(argument.c_str(), nullptr, 10));
    } else if (name == "-select" && ParseVisual(argument, index)) {
        ShowVisual(index);
    } else if (name == "-signal") {
        PublishName(argument);
    }
}

void HandOver(HWND running, const std::string& command)
{
    COPYDATASTRUCT data{kCopyDataCommand, static_cast<DWORD>(command.size() + 1),
                        const_cast<char*>(command.c_str())};
    DWORD_PTR result = 0;
    ::SendMessageTimeoutA(running, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_NORMAL,
                          kHandOverTimeoutMs, &result);
}

void Paint(HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(window, &paint);
    std::string lines[] = {
        "Melodrift stand-in",
        "Visual " + std::to_string(g_host.current) + ": " + g_host.visuals[g_host.current],
        std::string(g_host.playing ? "Playing" : "Stopped") + " at " + std::to_string(g_host.position) + " ms"};
    int y = 8;
    for (const std::string& line : lines) {
        ::TextOutA(dc, 10, y, line.c_str(), static_cast<int>(line.size()));
        y += 22;
    }
    ::EndPaint(window, &paint);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
        Log("%s 0x%02X 0x%08lX", message == WM_KEYDOWN ? "keydown" : "keyup", static_cast<unsigned>(wParam),
            static_cast<unsigned long>(lParam));
        if (message == WM_KEYDOWN && (wParam == host::kKeyNextVisual || wParam == host::kKeyPreviousVisual))
            ::Sleep(g_host.keyDelay);
        if (message == WM_KEYDOWN && wParam == host::kKeyNextVisual)
            StepVisual(1);
        else if (message == WM_KEYDOWN && wParam == host::kKeyPreviousVisual)
            StepVisual(-1);
        return 0;
    case WM_COPYDATA: {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        std::string command(static_cast<const char*>(data->lpData), data->cbData);
        RunCommand(Trim(command.c_str()));
        return TRUE;
    }
    case WM_TIMER:
        if (g_host.playing)
            PublishPosition(g_host.position + (::GetTickCount() - g_host.positionTick));
        return 0;
    case WM_PAINT:
        Paint(window);
        return 0;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

void CreateHostWindow(HINSTANCE instance)
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = host::kWindowClass;
    ::RegisterClassA(&windowClass);
    // Top right, out of the way of the manager, which opens at the top left.
    int left = ::GetSystemMetrics(SM_CXSCREEN) - kWindowWidth - 8;
    g_host.window = ::CreateWindowExA(0, host::kWindowClass, "Melodrift", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                                      left, 8, kWindowWidth, kWindowHeight, nullptr, nullptr, instance, nullptr);
    ::ShowWindow(g_host.window, SW_SHOWNORMAL);
    ::SetTimer(g_host.window, kPlayTimer, kPlayTimerMs, nullptr);
}

}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    g_host.folder = OwnFolder();
    SetLogFolder(g_host.folder);
    std::string tail = CommandTail();
    Log("start%s", tail.c_str());
    std::string command = Trim(tail);
    if (HWND running = ::FindWindowA(host::kWindowClass, nullptr)) {
        if (!command.empty())
            HandOver(running, command);
        return 0;
    }

    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    std::string vis = g_host.folder + "\\" + host::kVisFolder;
    g_host.visuals = LoadVisuals(vis, g_host.libraries);
    for (size_t index = 0; index < g_host.visuals.size(); ++index)
        Log("loaded %u %s", static_cast<unsigned>(index), g_host.visuals[index].c_str());
    std::string held = MarkerText("hold");
    if (!held.empty())
        g_host.held = ::CreateFileA((vis + "\\" + held).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ::Sleep(std::strtoul(MarkerText("windowdelay").c_str(), nullptr, 10));
    g_host.keyDelay = std::strtoul(MarkerText("keydelay").c_str(), nullptr, 10);

    OpenSharedRecord();
    PublishPosition(0);
    ShowVisual(RememberedVisual());
    CreateHostWindow(instance);
    // Started with a switch and nobody to hand it to: act on it, except -quit.
    if (!command.empty() && command != "-quit")
        RunCommand(command);

    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
    if (g_host.held != INVALID_HANDLE_VALUE)
        ::CloseHandle(g_host.held);
    // Like a player's preferences, the current visual is stored when it ends.
    RememberVisual(g_host.current);
    Log("exit");
    return 0;
}
