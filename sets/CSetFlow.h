#pragma once
#include <windows.h>
#include <functional>
#include <string>
#include "framework/CProfileFile.h"
#include "listview/CReorderListCtrl.h"
#include "sets/CSetLibrary.h"
#include "sets/SetArrangement.h"

// The rows, from the records the list reads in row order, as a set sees them.
ListState ReadListState(const std::vector<const VisPlugin*>& records, int current);

// Sets from the user's side: the "Sets" menu, keeping the list's
// arrangement under a name, applying a set to the list (as a sort does:
// nothing is renamed until Save), export, import and delete. The current
// set, the one last kept, imported or applied, is remembered in the
// settings file.
class CSetFlow {
public:
    // Shows a message box with the program's caption; the button chosen.
    using Ask = std::function<int(const std::string& text, UINT type)>;

    CSetFlow(CReorderListCtrl& list, CWnd* owner, const CProfileFile& profile, Ask ask);

    // Fills the "Sets" sub-menu: the kept sets, the current set's name in
    // its items, which are greyed when there is none.
    void FillMenu(HMENU setsMenu) const;
    // The menu's set at index (0 for the first) arranges the list.
    void ApplySet(size_t index);
    void SaveAsSet();
    void ExportSet();
    void ImportSet();
    void DeleteSet();

private:
    std::vector<KeptSet> MenuSets() const;
    std::string CurrentTitle() const;
    void SetCurrentTitle(const std::string& title) const;
    bool ReadCurrent(PluginSet& set) const;
    PluginSet SetOfList(const std::string& name) const;
    void Arrange(const PluginSet& set);
    bool AskToReplace(const std::string& name);
    void Keep(const PluginSet& set);
    void ReportRefused(const std::string& path, const SetReadResult& result);
    std::string ChooseFile(bool save, const std::string& suggested);

    CReorderListCtrl& m_list;
    CWnd* m_pOwner;
    const CProfileFile& m_profile;
    Ask m_ask;
    CSetLibrary m_library;
};
