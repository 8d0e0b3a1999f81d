#include "catalogue/VisFolder.h"
#include "catalogue/CVisFileFind.h"
#include "catalogue/PluginFileName.h"

namespace {
void AddFolderPlugin(const CVisFileFind& entry, std::vector<VisFolderEntry>& entries)
{
    std::string suffix = FindPluginInFolder(entry.GetFilePath());
    if (suffix.empty())
        return;
    entries.push_back({entry.GetFileName() + suffix, entry.GetFileTitle(), !HasDisabledSuffix(suffix)});
}

void AddFilePlugin(const CVisFileFind& entry, std::vector<VisFolderEntry>& entries)
{
    PluginNameState state = StateFromExtension(entry.GetFileExt());
    if (state != PluginNameState::NotPlugin)
        entries.push_back({entry.GetFileName(), entry.GetFileTitle(), state == PluginNameState::Enabled});
}
}

std::vector<VisFolderEntry> ListVisFolder(const std::string& visFolder)
{
    std::vector<VisFolderEntry> entries;
    CVisFileFind find(visFolder);
    if (!find.FindFile())
        return entries;
    BOOL more = TRUE;
    while (more) {
        more = find.FindNextFile();
        if (find.IsDots())
            continue;
        if (find.IsDirectory())
            AddFolderPlugin(find, entries);
        else
            AddFilePlugin(find, entries);
    }
    return entries;
}

std::string FindPluginInFolder(const std::string& folderPath)
{
    CVisFileFind find(folderPath);
    if (!find.FindFile(std::string("*.") + kPluginExtension + "*"))
        return "";
    // The first match that is a file: a folder cannot be loaded as a plug-in.
    BOOL more = TRUE;
    while (more) {
        more = find.FindNextFile();
        if (!find.IsDirectory())
            return "\\" + find.GetFileName();
    }
    return "";
}
