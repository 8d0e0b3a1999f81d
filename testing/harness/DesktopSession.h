#pragma once
#include <memory>
#include <optional>
#include <string>
#include <vector>
#include "testing/harness/HarnessTypes.h"

namespace e2e {

class ProbeSession;
class ChildProcess;
class XServer;

struct SessionOptions {
    int dpi = 96;            // 96, 120, 144 or 192: each has its own Wine prefix
    int desktopWidth = 1024; // size of the Wine virtual desktop
    int desktopHeight = 768;
    // A Unix locale ("ja_JP.UTF-8") whose code page Windows programs get,
    // with a prefix of its own (orbiquel_e2e_test LOCALE); empty: the shared one.
    // The probe then speaks that code page.
    std::string locale;
    // Opens the system's file dialogs: runs in a prefix of its own whose drives
    // hang no dialog (orbiquel_e2e_test FILE_DIALOGS).
    bool fileDialogs = false;
};

// One end-to-end test's world: its own X server, a fresh Wine virtual
// desktop, a scratch folder, and the probe that looks into the program.
// Construction clears the stand-in host's registry key, so every test starts
// from no host installed. Destruction ends every process the session
// started (by its unique token, never anyone else's), restores nothing it
// did not change and removes the scratch folder.
// Failures of the harness itself throw std::runtime_error.
class DesktopSession {
public:
    explicit DesktopSession(SessionOptions options = {});
    ~DesktopSession();
    DesktopSession(const DesktopSession&) = delete;
    DesktopSession& operator=(const DesktopSession&) = delete;

    // --- Files (Linux paths; WindowsPath() converts through drive Z:) ---
    const std::string& Folder() const { return m_folder; }
    static std::string WindowsPath(const std::string& linuxPath);

    // --- Stand-in host ---
    // Makes Folder()/host with an empty Vis folder and the stand-in player
    // Melodrift.exe, and points the host key's "MelodriftPath" at it (or
    // writes pathValue instead, when given).
    void InstallHost(const std::optional<std::string>& pathValue = std::nullopt);
    std::string HostFolder() const { return m_folder + "/host"; }
    std::string VisFolder() const { return HostFolder() + "/Vis"; }
    // Starts HostFolder()/Melodrift.exe on the session's desktop; switches as
    // the program appends them (" -play", " -select 5").
    void StartHost(const std::string& switches = "");
    // The lines of HostFolder()/Melodrift.log, the stand-in's record of what
    // it was told (testing/host); none before it first starts.
    std::vector<std::string> HostLog() const;
    // True once the log holds exactly that line; false at the timeout.
    bool WaitForHostLog(const std::string& line, int timeoutMs = 15000);

    // --- The host's registry key (HKCU\Software\Kestrelworks\Melodrift\...) ---
    RegistryValue ReadHostValue(const std::string& name);
    void WriteHostValue(const std::string& name, const std::string& text);
    void DeleteHostValue(const std::string& name);
    void DeleteHostKey();

    // --- The program ---
    // Copies the executable (Orbiquel.exe by default) into ProgramFolder()
    // and starts it on the session's desktop.
    void StartProgram(const std::string& executable = "");
    // The two halves of StartProgram, for a test that changes the folder
    // in between (fills its disk once the executable is in).
    void PlaceProgram(const std::string& executable = "");
    void StartPlacedProgram();
    std::string ProgramFolder() const { return m_folder + "/app"; }
    std::string ProgramPath() const { return ProgramFolder() + "/Orbiquel.exe"; }
    // Files in ProgramFolder() beside the executable (the settings file, when written).
    std::vector<std::string> FilesBesideProgram() const;
    ProcessInfo Program();
    bool WaitForProgramExit(int timeoutMs = 15000);
    // Ends the program with SIGKILL, as a crash or a power cut would: it
    // gets no chance to finish anything. True once it is gone.
    bool KillProgram();

    // --- Windows of the desktop ---
    // The main window, "BETA Orbiquel 0.8"; throws when it does not appear.
    WindowInfo WaitForMainWindow(int timeoutMs = 30000);
    std::optional<WindowInfo> WaitForWindow(const std::string& title, const std::string& className = "",
                                            int timeoutMs = 10000);
    WindowInfo Window(Hwnd handle);
    // True once the window is destroyed or hidden; false at the timeout.
    bool WaitForWindowGone(Hwnd handle, int timeoutMs = 10000);
    std::vector<WindowInfo> Children(Hwnd handle);
    // The child control with that id; throws when there is none.
    WindowInfo Control(Hwnd parent, int id);
    // The control that has the keyboard focus in the window's thread (handle 0: none).
    WindowInfo Focus(Hwnd window);
    std::vector<MenuItem> SystemMenu(Hwnd window);
    // The items of the menu a popup menu window ("#32768") shows.
    std::vector<MenuItem> PopupMenu(Hwnd menuWindow);
    // A visible dialog or message box, by exact title or any ("").
    std::optional<DialogInfo> WaitForDialog(const std::string& title = "", int timeoutMs = 10000);
    std::vector<ListRow> Rows(Hwnd list);
    // Writes the flags of the record behind a row and redraws it (marks a
    // row current for a picture, as the host's current visual will).
    void SetRowFlags(Hwnd list, int row, unsigned long flags);
    // The rows as a screen reader hears them, from the list's accessible
    // object got in the program's thread, or from another process through
    // COM; throws when it gives none.
    std::vector<AccessibleRow> AccessibleRows(Hwnd list, bool fromOtherProcess = false);
    // The row's default action through the same object.
    void DoDefaultAction(Hwnd list, int row);
    // Drops the files (Linux paths) on the window at a point of its client
    // area, as a drag from Explorer would end (WM_DROPFILES made in its process).
    void DropFiles(Hwnd window, Point client, const std::vector<std::string>& linuxPaths);
    // Dialog units to pixels with the dialog's own font (MapDialogRect in its thread).
    Rect DialogUnitsToPixels(Hwnd dialog, Rect units);
    int Dpi();

    // --- Real input through the X server (desktop coordinates) ---
    void Click(Point at, int button = 1);
    void DoubleClick(Point at);
    void ClickInWindow(const WindowInfo& window, Point offset); // from the window's top-left corner
    void MouseDown(Point at, int button = 1);
    void MouseMove(Point to);
    void MouseUp(int button = 1);
    // Button down at from, steps moves along the line, button up at to.
    void Drag(Point from, Point to, int steps = 10, int button = 1);
    // xdotool key names: "Escape", "Return", "F1", "alt+space".
    void Key(const std::string& keys);
    void KeyDown(const std::string& key);
    void KeyUp(const std::string& key);
    // Any other xdotool command line (after "xdotool").
    void Xdotool(const std::vector<std::string>& arguments);

    // A PNG of the desktop in the build's e2e output folder; returns its path.
    std::string Screenshot(const std::string& name);

    // The probe for anything the helpers above do not cover.
    ProbeSession& Probe() { return *m_probe; }
    const std::string& DesktopName() const { return m_desktopName; }

private:
    // Starts a Windows command line on the session's desktop (words of it).
    void LaunchOnDesktop(const std::vector<std::string>& commandLine);
    void StartDesktop();
    bool LaunchDesktop();
    bool DesktopPainted();
    std::string DesktopWindowId();
    void EndEverything();
    std::vector<std::string> WineEnvironment() const;

    SessionOptions m_options;
    std::string m_token;  // unique: names the scratch folder and starts the desktop's name
    std::string m_desktopName;
    std::string m_folder;
    std::string m_prefix;
    std::unique_ptr<XServer> m_xserver;
    std::unique_ptr<ChildProcess> m_desktop;
    std::vector<std::unique_ptr<ChildProcess>> m_launchers;
    std::unique_ptr<ProbeSession> m_probe;
    std::string m_desktopWindow;
};

}
