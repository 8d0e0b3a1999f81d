#pragma once
#include <cstdint>
#include <string>
#include "framework/CodePageText.h"

// What the self-deletion copy does.
enum : std::uint32_t {
    SD_REMOVEFOLDER = 1, // every file of the executable's folder and the folder, not the executable alone
    SD_CLOSEMAIN = 2,    // the running program closes its main window once the copy runs
};

// The fields the running program hands its self-deletion copy.
struct SelfDeleteLine {
    std::int32_t process = 0; // inherited handle of the program's process
    std::string path;         // the program's executable
    std::uint32_t flags = 0;
};

// The copy's command line: its own path, "/SelfDelete", the handle, the
// executable and the flags. Both paths are quoted, so blanks in them survive.
std::string FormatSelfDeleteLine(const std::string& copyPath, const SelfDeleteLine& line);

// Reads what follows the copy's own path on its command line. True only for
// exactly "/SelfDelete", a signed number, a path (quoted, or one word) and an
// unsigned number, with nothing after them.
bool ParseSelfDeleteLine(const std::string& arguments, SelfDeleteLine& line);

// Whether a process image, named as the system names it
// ("\Device\HarddiskVolume1\Tools\Orbiquel.exe"), is the file at dosPath
// ("C:\Tools\Orbiquel.exe") on a drive that the system calls driveDevice
// ("\Device\HarddiskVolume1"). File names compare without regard to the
// case of A to Z, character by character.
bool ImageIsFile(const std::string& imageDevicePath, const std::string& driveDevice, const std::string& dosPath,
                 LeadByteRule isLead = SystemLeadByte);

// "C:" for a full path on a drive; empty for anything else.
std::string DriveOfPath(const std::string& dosPath);
