#pragma once
#include <string>

// The host's install folder from its settings key ("MelodriftPath").
// False when the key or the value cannot be read, or the value is empty.
bool ReadHostFolder(std::string& folder);
