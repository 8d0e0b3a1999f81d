#pragma once
#include <cstddef>
#include <string>

// Longest display name taken from a plug-in: what a settings value can hold.
constexpr size_t kMaxDisplayName = 4095;

// Loads the plug-in library at path, asks its "QueryModule" for its record
// and copies the display name (a null name reads as empty). False when the
// library cannot be loaded, lacks the export, returns no record or crashes.
bool QueryPluginName(const std::string& path, std::string& name);
