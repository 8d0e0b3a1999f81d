#pragma once
#include <windows.h>
#include <shellapi.h>
#include <string>
#include <vector>

class CProfileFile;

// The plug-in files the user picks, several at once, in the system's
// file-open dialog "Add plug-ins"; none when the dialog is cancelled. It
// opens in the folder the user picked from last time, kept in settings,
// else in the user's Downloads or Documents folder, never in Orbiquel's own.
std::vector<std::string> ChoosePluginFiles(HWND owner, const CProfileFile& settings);

// The paths of the files and folders dropped with drop.
std::vector<std::string> DroppedPaths(HDROP drop);

// Lets drops reach window from programs of a lower integrity level: run as
// administrator, Orbiquel would get none from Explorer otherwise.
void AcceptDropsFromLowerLevels(HWND window);
