#pragma once
#include <string>
#include "catalogue/PluginDiagnosis.h"

class CProfileFile;
class CProfileIndex;

// Settings sections: names reported by plug-ins, and names given by hand.
constexpr char kCacheSection[] = "VisCache";
constexpr char kLockedSection[] = "LockedVis";

// The display name of the plug-in file at path: its cached name, else the
// name it reports (cached for next time), else a name given by hand. False
// when none is known; an empty name counts as none. A plug-in whose key the
// settings file cannot hold is asked every time and has no name by hand.
// why tells why the plug-in gave none; it is never cached, so a plug-in
// mended since is asked again. Its imports are looked for in hostFolder too.
bool LookupDisplayName(CProfileIndex& settings, const std::string& path, const std::string& hostFolder,
                       std::string& name, PluginDiagnosis& why);
// The same for one plug-in on its own: the file is read for it, and a new name written at once.
bool LookupDisplayName(const CProfileFile& settings, const std::string& path, const std::string& hostFolder,
                       std::string& name, PluginDiagnosis& why);
