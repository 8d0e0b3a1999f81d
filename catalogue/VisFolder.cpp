#include "catalogue/VisFolder.h"
#include "catalogue/CVisFileFind.h"
#include "catalogue/PluginFileName.h"
#include "catalogue/PluginInstall.h"

namespace {
void AddFolderPlugin(const CVisFileFind& entry, std::vector<VisFolderEntry>& entries)
{
    // By its own name: the "?" of a character the code page cannot hold would find nothing.
    std::string suffix = FindPluginInFolder(entry.GetWideFilePath());
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
        // Half a copy, under a name of its own (PluginInstall.h).
        if (find.IsDots() || IsCopyingName(find.GetFileName()))
            continue;
        if (find.IsDirectory())
            AddFolderPlugin(find, entries);
        else
            AddFilePlugin(find, entries);
    }
    return entries;
}

std::string FindPluginInFolder(const std::wstring& folderPath)
{
    const std::string pattern = std::string("\\*.") + kPluginExtension + "*";
    CFileFind find;
    // The pattern is ASCII: each of its bytes is a UTF-16 character of its own.
    if (!find.FindFile(folderPath + std::wstring(pattern.begin(), pattern.end())))
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
