#pragma once
#include <string>
#include "framework/CodePageText.h"

// The grammar of names in the Vis folder, one for the scan, the display-name
// cache and Save: an order tag ("%03d_") in front, the extension "svp" for an
// enabled plug-in, "_disabled" behind the whole name for a disabled one.
constexpr char kPluginExtension[] = "svp";
constexpr char kDisabledSuffix[] = "_disabled";

// What a name in the Vis folder says about the plug-in it holds.
enum class PluginNameState { NotPlugin, Enabled, Disabled };

// The part of a file name after its last dot; empty when it has none.
std::string FileExtension(const std::string& fileName, LeadByteRule isLead = SystemLeadByte);

// A top-level file: extension "svp" is enabled, "svp_disabled" disabled,
// compared case-sensitively as the host does; anything else is no plug-in.
PluginNameState StateFromExtension(const std::string& extension);

// A name counts as disabled exactly when it ends in "_disabled", case-sensitive:
// the plug-in file of a sub-folder, and every name Save looks at.
bool HasDisabledSuffix(const std::string& name, LeadByteRule isLead = SystemLeadByte);

// Three decimal digits and an underscore at the start of a name, as Save writes them.
bool HasOrderTag(const std::string& name);

// name with the tag of position ("%03d_", 1000 and up with more digits) in
// front, in place of one old tag.
std::string WithOrderTag(int position, const std::string& name);

// The settings key of a plug-in: its file title without order tag, so that
// renames by Save and enabling or disabling keep it. False when the path has
// no file title (key is then empty).
bool GetPluginKey(const std::string& path, std::string& key, LeadByteRule isLead = SystemLeadByte);

// The key lower-cased: plug-ins are told apart by it in any case, when adding
// and in sets. Empty when the path has no file title.
std::string MatchingKey(const std::string& path, LeadByteRule isLead = SystemLeadByte);
