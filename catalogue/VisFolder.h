#pragma once
#include <string>
#include <vector>

// One plug-in of the Vis folder, in the order the folder lists it.
struct VisFolderEntry {
    std::string file;   // relative to the Vis folder, as in VisPlugin::file
    std::string title;  // the name shown when the plug-in gives none
    bool enabled = false;
};

// Every plug-in file and plug-in sub-folder of visFolder, in the order the
// search returns them: what the host loads, and in which order, when it starts.
std::vector<VisFolderEntry> ListVisFolder(const std::string& visFolder);

// "\" + the name of the folder's plug-in file; empty when it has none. The
// folder's path is in UTF-16 (CFileFind::GetWideFilePath), so that a folder
// whose name the code page cannot hold is searched too.
std::string FindPluginInFolder(const std::wstring& folderPath);
