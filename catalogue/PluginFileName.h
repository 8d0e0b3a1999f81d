#pragma once
#include <string>

// What a name in the Vis folder says about the plug-in it holds.
enum class PluginNameState { NotPlugin, Enabled, Disabled };

// The part of a file name after its last dot; empty when it has none.
std::string FileExtension(const std::string& fileName);

// A top-level file: extension "svp" is enabled, "svp_disabled" disabled,
// compared case-sensitively as the host does; anything else is no plug-in.
PluginNameState StateFromExtension(const std::string& extension);

// The plug-in file of a sub-folder: disabled when its name ends in "_disabled".
PluginNameState StateOfFolderPlugin(const std::string& fileName);

// Three decimal digits and an underscore at the start of a name, as Save writes them.
bool HasOrderTag(const std::string& name);

// The settings key of a plug-in: its file title without order tag, so that
// renames by Save and enabling or disabling keep it. False when the path has
// no file title (key is then empty).
bool GetPluginKey(const std::string& path, std::string& key);
