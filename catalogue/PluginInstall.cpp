#include "catalogue/PluginInstall.h"
#include <algorithm>
#include "catalogue/PluginFileName.h"
#include "catalogue/VisPlugin.h"

namespace {
std::string FolderKey(const std::string& folder, LeadByteRule isLead)
{
    std::string key = LowerCase(folder, isLead);
    if (EndsInSeparator(key, isLead))
        key.pop_back();
    return key;
}
}

bool IsPluginFile(const std::string& path, LeadByteRule isLead)
{
    return StateFromExtension(FileExtension(LeafName(path, isLead), isLead)) == PluginNameState::Enabled;
}

std::string LeafName(const std::string& path, LeadByteRule isLead)
{
    size_t separator = FindLastChar(path, "\\/", isLead);
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

std::string TopLevelName(const std::string& relativePath, LeadByteRule isLead)
{
    return relativePath.substr(0, FindFirstChar(relativePath, "\\/", isLead));
}

std::string EntryTitle(const std::string& relativePath, LeadByteRule isLead)
{
    std::string name = TopLevelName(relativePath, isLead);
    return name.substr(0, FindLastChar(name, ".", isLead));
}

bool IsNameTaken(const std::string& name, const std::vector<std::string>& folderNames, LeadByteRule isLead)
{
    std::string key = MatchingKey(name, isLead);
    return std::any_of(folderNames.begin(), folderNames.end(),
                       [&](const std::string& folderName) { return MatchingKey(folderName, isLead) == key; });
}

int AddedRowIndex(int anchor, int rowCount)
{
    if (anchor < 0 || anchor > rowCount)
        anchor = rowCount;
    return std::max(anchor, kFirstPluginRow);
}

std::vector<std::string> SplitOpenFileNames(const std::string& buffer, LeadByteRule isLead)
{
    std::vector<std::string> parts;
    for (size_t at = 0; at < buffer.size() && buffer[at] != '\0';) {
        size_t end = std::min(buffer.find('\0', at), buffer.size());
        parts.push_back(buffer.substr(at, end - at));
        at = end + 1;
    }
    if (parts.size() < 2)
        return parts;
    std::string folder = parts.front();
    if (!EndsInSeparator(folder, isLead))
        folder += '\\';
    std::vector<std::string> paths;
    for (size_t index = 1; index < parts.size(); ++index)
        paths.push_back(folder + parts[index]);
    return paths;
}

std::string CopyingName(const std::string& name)
{
    return name + kCopyingSuffix;
}

bool IsCopyingName(const std::string& name, LeadByteRule isLead)
{
    return EndsWithText(LowerCase(name, isLead), kCopyingSuffix, isLead);
}

std::string FirstFolderBesides(const std::vector<std::string>& candidates, const std::string& ownFolder,
                               LeadByteRule isLead)
{
    std::string own = FolderKey(ownFolder, isLead);
    for (const std::string& folder : candidates)
        if (!folder.empty() && FolderKey(folder, isLead) != own)
            return folder;
    return "";
}

std::string DoubleNulList(const std::vector<std::string>& paths)
{
    std::string list;
    for (const std::string& path : paths) {
        list += path;
        list += '\0';
    }
    list += '\0';
    return list;
}
