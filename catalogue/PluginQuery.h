#pragma once
#include <cstddef>
#include <string>
#include "catalogue/PluginDiagnosis.h"

// Longest display name taken from a plug-in: what a settings value can hold.
constexpr size_t kMaxDisplayName = 4095;

// Loads the plug-in library at path, asks its "QueryModule" for its record
// and copies the display name. None, or why there is no name: the library
// cannot be loaded, lacks the export, crashes, or gives no record or an
// empty name.
PluginProblem QueryPluginName(const std::string& path, std::string& name);
