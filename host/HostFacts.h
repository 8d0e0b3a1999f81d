#pragma once

// Everything this program knows about the Melodrift player, in one place.
namespace host {

// Settings key, under HKEY_CURRENT_USER, and its values.
constexpr char kSettingsKey[] = "Software\\Kestrelworks\\Melodrift\\General Preferences 0.80";
constexpr char kPathValue[] = "MelodriftPath";   // install folder, string
constexpr char kVisNumberValue[] = "VisNumber";  // current visual's position, decimal text

// Installation layout.
constexpr char kExecutable[] = "Melodrift.exe";
constexpr char kVisFolder[] = "Vis";

// Running host.
constexpr char kWindowClass[] = "Melodrift Window Class";
constexpr char kInfoMapping[] = "MelodriftInformation";
constexpr char kInfoEvent[] = "MelodriftInformationEvent";
constexpr unsigned long kInfoSize = 1317;         // size of the shared state record
constexpr unsigned long kInfoCopySize = 1316;     // how much of it we copy
constexpr unsigned long kInfoPositionOffset = 12; // playback position
constexpr unsigned long kInfoVisNameOffset = 800; // name of the current visual

// How long we wait for the host: to end after " -quit", for its window after
// a plain start, for each switch's own start to hand the switch over, and for
// the watcher thread to leave.
constexpr unsigned long kExitWaitMs = 8000;
constexpr unsigned long kWindowWaitMs = 8000;
constexpr unsigned long kSwitchWaitMs = 8000;
constexpr unsigned long kWatcherStopWaitMs = 2000;

// Command-line switches, appended to the executable's path.
constexpr char kSwitchQuit[] = " -quit";
constexpr char kSwitchPlay[] = " -play";
constexpr char kSwitchScanTo[] = " -scanto %lu";

// Key presses that step the running host through its visuals: virtual key,
// then the WM_KEYDOWN and WM_KEYUP parameters (repeat 1, the key's scan code).
constexpr unsigned kKeyNextVisual = 0xBE;  // VK_OEM_PERIOD
constexpr unsigned long kKeyNextDown = 0x00340001;
constexpr unsigned long kKeyNextUp = 0xC0340001;
constexpr unsigned kKeyPreviousVisual = 0xBC;  // VK_OEM_COMMA
constexpr unsigned long kKeyPreviousDown = 0x00330001;
constexpr unsigned long kKeyPreviousUp = 0xC0330001;

}
