#pragma once
#include <string>
#include "framework/CodePageText.h"

// The settings file beside the executable: its path lower-cased, with every
// ".exe" replaced by ".ini" (so C:\Tools\Manager.EXE uses c:\tools\manager.ini).
std::string SettingsPathFor(const std::string& executablePath, LeadByteRule isLead = SystemLeadByte);

// The readme beside the executable: its path lower-cased, with the
// executable's own extension (and only that) replaced by ".txt", so that a
// folder named "my.exes" stays as it is.
std::string ReadmePathFor(const std::string& executablePath, LeadByteRule isLead = SystemLeadByte);

// The record of the last Save beside the settings file: its path with
// "-last-save.txt" for its extension (c:\tools\manager-last-save.txt).
std::string JournalPathFor(const std::string& settingsPath, LeadByteRule isLead = SystemLeadByte);
