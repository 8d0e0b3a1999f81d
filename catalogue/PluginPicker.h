#pragma once
#include <windows.h>
#include <shellapi.h>
#include <string>
#include <vector>

// The plug-in files the user picks, several at once, in the system's
// file-open dialog; none when the dialog is cancelled.
std::vector<std::string> ChoosePluginFiles(HWND owner);

// The paths of the files and folders dropped with drop.
std::vector<std::string> DroppedPaths(HDROP drop);
