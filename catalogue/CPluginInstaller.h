#pragma once
#include <windows.h>
#include <functional>
#include <string>
#include <vector>
#include "catalogue/CPluginScanner.h"

class CListCtrl;
class CProfileFile;

// Adding plug-ins to the Vis folder and moving them to the Recycle Bin, row
// and file together. Each copy and each move is one step the folder shows
// by itself: a later scan finds whatever was done.
class CPluginInstaller {
public:
    // Shows a message box with the program's caption; the button chosen.
    using Ask = std::function<int(const std::string& text, UINT type)>;

    CPluginInstaller(CListCtrl& list, const std::string& visFolder, const CProfileFile& settings,
                     std::vector<unsigned char>& enabledAtLoad, CPluginScanner::NameWarning warn, Ask ask);

    // Copies each plug-in file, or folder holding one, into the Vis folder,
    // never over a plug-in of the same name, and inserts its rows from row
    // on; the rows inserted. What is refused is named in a message.
    std::vector<int> AddPlugins(const std::vector<std::string>& paths, int row);

    // After one question, moves each row's file or sub-folder to the Recycle
    // Bin, or, where the bin cannot take it and the user says so, deletes it
    // for good; the rows whose plug-in went. One message tells what became
    // of each that did not go to the bin.
    std::vector<int> RecyclePlugins(const std::vector<int>& rows);

private:
    // The plug-in's name relative to the Vis folder once copied; empty when refused.
    std::string CopyIn(const std::string& path, std::vector<std::string>& folderNames);
    bool ConfirmRecycle(size_t count);
    UINT Recycle(const std::string& relativePath);
    void Tell(UINT messageId, const std::string& name);

    CListCtrl& m_list;
    std::string m_strVisFolder;
    CPluginScanner m_scanner;
    Ask m_ask;
};
