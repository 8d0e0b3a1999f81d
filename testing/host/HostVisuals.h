#pragma once
#include <windows.h>
#include <string>
#include <vector>

namespace standin_host {

// The visuals in the order the player offers them: the four built-ins, then
// the plug-ins of visFolder. The libraries stay loaded (in libraries) until
// the process ends, as they do in a real player.
std::vector<std::string> LoadVisuals(const std::string& visFolder, std::vector<HMODULE>& libraries);

}
