#include "sets/CSetFlow.h"
#include <commdlg.h>
#include <algorithm>
#include <cstdio>
#include "catalogue/PluginFileName.h"
#include "catalogue/RecycleBin.h"
#include "catalogue/SafeName.h"
#include "catalogue/VisPlugin.h"
#include "framework/ResString.h"
#include "res/resource.h"
#include "sets/CSetNameDlg.h"
#include "sets/SetText.h"

namespace {
constexpr char kSetsSection[] = "Sets";
constexpr char kCurrentSetKey[] = "Current";
// Access keys 1 to 9 go to the first nine sets, as Ctrl+1 to Ctrl+9 do.
constexpr size_t kSetsWithAccessKeys = 9;
// A message lists at most this many names, then says how many more there are.
constexpr size_t kListedNames = 20;

// A name as a menu shows it: "&" stands for itself.
std::string MenuText(const std::string& name)
{
    std::string text;
    for (size_t at = 0; at < name.size();) {
        size_t next = NextChar(name, at);
        if (name[at] == '&' && next == at + 1)
            text += '&';
        text.append(name, at, next - at);
        at = next;
    }
    return text;
}

HMENU FindSetsMenu(HMENU popup)
{
    for (int item = 0; item < ::GetMenuItemCount(popup); ++item) {
        HMENU sub = ::GetSubMenu(popup, item);
        if (sub && ::GetMenuItemID(sub, 0) == ID_POPUP_SET_SAVE)
            return sub;
    }
    return nullptr;
}

UINT ReasonOf(SetFault fault, size_t line)
{
    switch (fault) {
    case SetFault::TooLarge:
        return IDS_SET_TOO_LARGE;
    case SetFault::TooManyLines:
    case SetFault::LineTooLong:
        return IDS_SET_TOO_LONG;
    case SetFault::NotUtf8:
        return IDS_SET_NOT_UTF8;
    case SetFault::UnsafeKey:
        return IDS_SET_UNSAFE_KEY;
    case SetFault::Malformed:
        return IDS_SET_MALFORMED;
    default:
        return line == 0 ? IDS_SET_UNREADABLE : IDS_SET_NOT_A_SET;
    }
}
}

CSetFlow::CSetFlow(CReorderListCtrl& list, CWnd* owner, const CProfileFile& profile, Ask ask)
    : m_list(list), m_pOwner(owner), m_profile(profile), m_ask(std::move(ask)),
      m_library(SetFolderFor(profile.GetPath()))
{
}

std::vector<KeptSet> CSetFlow::MenuSets() const
{
    return m_library.List(ID_POPUP_SET_LAST - ID_POPUP_SET_FIRST + 1);
}

// Only a title of a set in the folder counts: the settings file is edited by hand too.
std::string CSetFlow::CurrentTitle() const
{
    std::string title = m_profile.GetString(kSetsSection, kCurrentSetKey);
    for (const KeptSet& set : MenuSets())
        if (set.title == title)
            return title;
    return {};
}

void CSetFlow::SetCurrentTitle(const std::string& title) const
{
    m_profile.WriteString(kSetsSection, kCurrentSetKey, title);
}

bool CSetFlow::ReadCurrent(PluginSet& set) const
{
    std::string title = CurrentTitle();
    return !title.empty() && CSetLibrary::ReadFile(m_library.PathOf(title), set).fault == SetFault::None;
}

void CSetFlow::FillMenu(HMENU popup) const
{
    HMENU menu = FindSetsMenu(popup);
    if (!menu)
        return;
    std::vector<KeptSet> sets = MenuSets();
    std::string current = CurrentTitle();
    for (size_t index = 0; index < sets.size(); ++index) {
        std::string text = MenuText(sets[index].name);
        if (index < kSetsWithAccessKeys)
            text = "&" + std::to_string(index + 1) + " " + text;
        UINT flags = MF_BYPOSITION | MF_STRING | (sets[index].title == current ? MF_CHECKED : 0);
        ::InsertMenuA(menu, static_cast<UINT>(index + 1), flags, ID_POPUP_SET_FIRST + index, text.c_str());
    }
    std::string name;
    for (const KeptSet& set : sets)
        if (set.title == current)
            name = MenuText(set.name);
    for (auto [id, textId] : {std::pair<UINT, UINT>{ID_POPUP_SET_EXPORT, IDS_SET_EXPORT_ITEM},
                              std::pair<UINT, UINT>{ID_POPUP_SET_DELETE, IDS_SET_DELETE_ITEM}}) {
        if (current.empty())
            ::EnableMenuItem(menu, id, MF_BYCOMMAND | MF_GRAYED);
        else
            ::ModifyMenuA(menu, id, MF_BYCOMMAND | MF_STRING, id, FormatResString1(textId, name).c_str());
    }
}

ListState ReadListState(const std::vector<const VisPlugin*>& records, int current)
{
    ListState state{{}, {}, current};
    state.keys.reserve(records.size());
    state.enabled.reserve(records.size());
    for (size_t row = 0; row < records.size(); ++row) {
        bool plugin = row >= kFirstPluginRow && records[row];
        state.keys.push_back(plugin ? std::string_view(records[row]->matchingKey) : std::string_view());
        state.enabled.push_back(records[row] && (records[row]->flags & VIS_ENABLED) != 0);
    }
    return state;
}

// The list's plug-ins in their order, each by its key as its file spells it;
// one whose name the code page cannot hold has no key a set could name.
PluginSet CSetFlow::SetOfList(const std::string& name) const
{
    std::vector<const VisPlugin*> records = m_list.Records();
    PluginSet set;
    set.name = CodePageToUtf8(name);
    for (size_t row = kFirstPluginRow; row < records.size(); ++row) {
        std::string key;
        if (!records[row] || records[row]->matchingKey.empty() || !GetPluginKey(records[row]->file, key))
            continue;
        bool on = (records[row]->flags & VIS_ENABLED) != 0;
        std::string shown = m_list.GetItemText(static_cast<int>(row), 0);
        set.plugins.push_back({on, CodePageToUtf8(key), CodePageToUtf8(shown)});
        if (static_cast<int>(row) == m_list.m_nCurrent)
            set.current = set.plugins.back().key;
    }
    return set;
}

void CSetFlow::Arrange(const PluginSet& set)
{
    std::vector<ArrangedEntry> entries;
    entries.reserve(set.plugins.size());
    for (const SetEntry& entry : set.plugins)
        entries.push_back({entry.on, Utf8ToCodePage(entry.key), Utf8ToCodePage(entry.displayName)});
    Arrangement arranged =
        ArrangeBySet(ReadListState(m_list.Records(), m_list.m_nCurrent), entries, Utf8ToCodePage(set.current));
    m_list.Rearrange(arranged.order, arranged.enabled, arranged.current);
    if (!arranged.missing.empty())
        m_ask(LoadResString(IDS_SET_MISSING) + "\n" + ListLines(arranged.missing, kListedNames, IDS_AND_MORE),
              MB_ICONEXCLAMATION | MB_OK);
}

void CSetFlow::ApplySet(size_t index)
{
    std::vector<KeptSet> sets = MenuSets();
    if (index >= sets.size())
        return;
    std::string path = m_library.PathOf(sets[index].title);
    PluginSet set;
    SetReadResult result = CSetLibrary::ReadFile(path, set);
    if (result.fault != SetFault::None) {
        ReportRefused(path, result);
        return;
    }
    Arrange(set);
    SetCurrentTitle(sets[index].title);
}

bool CSetFlow::AskToReplace(const std::string& name)
{
    if (m_library.TitleOf(name).empty())
        return true;
    return m_ask(FormatResString1(IDS_SET_REPLACE, name), MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
}

void CSetFlow::Keep(const PluginSet& set)
{
    std::string title = m_library.Keep(set);
    if (title.empty())
        m_ask(FormatResString1(IDS_SET_NOT_KEPT, Utf8ToCodePage(set.name)), MB_ICONEXCLAMATION | MB_OK);
    else
        SetCurrentTitle(title);
}

void CSetFlow::SaveAsSet()
{
    PluginSet current;
    CSetNameDlg dialog(m_pOwner, ReadCurrent(current) ? Utf8ToCodePage(current.name) : std::string());
    if (dialog.DoModal() != IDOK || !AskToReplace(dialog.GetName()))
        return;
    Keep(SetOfList(dialog.GetName()));
}

void CSetFlow::ExportSet()
{
    PluginSet set;
    if (!ReadCurrent(set))
        return;
    std::string path = ChooseFile(true, CurrentTitle() + kSetFileExtension);
    if (path.empty())
        return;
    if (HoldsDeviceName(path) || !CSetLibrary::WriteFile(path, set))
        m_ask(FormatResString1(IDS_SET_NOT_WRITTEN, path), MB_ICONEXCLAMATION | MB_OK);
}

void CSetFlow::ImportSet()
{
    std::string path = ChooseFile(false, "");
    if (path.empty())
        return;
    PluginSet set;
    SetReadResult result = CSetLibrary::ReadFile(path, set);
    if (result.fault != SetFault::None) {
        ReportRefused(path, result);
        return;
    }
    if (AskToReplace(Utf8ToCodePage(set.name)))
        Keep(set);
}

void CSetFlow::DeleteSet()
{
    PluginSet set;
    if (!ReadCurrent(set))
        return;
    std::string question = FormatResString1(IDS_CONFIRM_DELETE_SET, Utf8ToCodePage(set.name));
    if (m_ask(question, MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
        return;
    if (MoveToRecycleBin(m_library.PathOf(CurrentTitle()), m_ask) != RecycleOutcome::Kept)
        SetCurrentTitle("");
    else
        m_ask(FormatResString1(IDS_SET_NOT_RECYCLED, Utf8ToCodePage(set.name)), MB_ICONEXCLAMATION | MB_OK);
}

void CSetFlow::ReportRefused(const std::string& path, const SetReadResult& result)
{
    char reason[512];
    std::snprintf(reason, sizeof reason, LoadResString(ReasonOf(result.fault, result.line)).c_str(),
                  static_cast<int>(result.line));
    m_ask(FormatResString1(IDS_SET_REFUSED, path) + reason, MB_ICONEXCLAMATION | MB_OK);
}

// The file the user picks in the system's file-save or file-open dialog;
// empty when it is cancelled.
std::string CSetFlow::ChooseFile(bool save, const std::string& suggested)
{
    // The table cannot hold NULs: "|" stands for them.
    std::string filter = LoadResString(IDS_SET_FILTER);
    std::replace(filter.begin(), filter.end(), '|', '\0');
    std::string path(2 * MAX_PATH, '\0');
    suggested.copy(&path[0], std::min(suggested.size(), path.size() - 1));
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = m_pOwner->m_hWnd;
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = &path[0];
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.lpstrDefExt = kSetFileExtension + 1;
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                   (save ? OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST : OFN_FILEMUSTEXIST);
    if (!(save ? ::GetSaveFileNameA(&dialog) : ::GetOpenFileNameA(&dialog)))
        return {};
    return path.c_str();
}
