#pragma once
#include <windows.h>
#include <functional>
#include <string>

// Told which rename failed: the message to show (IDS_TAG_FAILED or
// IDS_ENABLE_FAILED) and the plug-in name it gives; true to go on.
using RenameFailure = std::function<bool(UINT messageId, const std::string& name)>;

// Gives one plug-in row its tag and its wanted enable state on disk, with
// renames that never replace an existing file. A failed tag rename leaves
// the enable state alone; a name with a character the code page cannot hold
// fails as a tag rename, untried. False only when the user chose to stop.
// nameOnDisk, when given, receives the plug-in's name as it now is.
bool RenamePluginFile(const std::string& visFolder, int row, const std::string& file, bool wantEnabled,
                      const RenameFailure& askToGoOn, std::string* nameOnDisk = nullptr);
