#pragma once
#include <string>

// The settings file beside the executable: its path lower-cased, with every
// ".exe" replaced by ".ini" (so C:\Tools\Manager.EXE uses c:\tools\manager.ini).
std::string SettingsPathFor(const std::string& executablePath);

// The readme beside the executable: the same rule with ".txt".
std::string ReadmePathFor(const std::string& executablePath);
