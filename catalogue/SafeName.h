#pragma once
#include <string>
#include "framework/CodePageText.h"

// Names Windows keeps for its devices: CON, PRN, AUX, NUL, CONIN$, CONOUT$,
// COM0 to COM9 and LPT0 to LPT9, in any case, with any extension and with
// trailing dots or spaces ("NUL.svp", "com1 .txt", "Con..."). A file moved
// or copied to such a name goes into the device and is gone.
bool IsReservedDeviceName(const std::string& component, LeadByteRule isLead = SystemLeadByte);

// True when any name between the backslashes of path is a device name.
bool HoldsDeviceName(const std::string& path, LeadByteRule isLead = SystemLeadByte);
