#include "host/CSaveFlow.h"
#include <cstdio>
#include "catalogue/VisFolder.h"
#include "catalogue/VisPlugin.h"
#include "framework/CWaitCursor.h"
#include "framework/ResString.h"
#include "host/HostNumbering.h"
#include "host/HostProcess.h"
#include "host/HostRegistry.h"
#include "host/PluginRename.h"
#include "res/resource.h"

namespace {
// A message lists at most this many names, then says how many more there are.
constexpr size_t kListedNames = 20;

std::string NameList(const std::vector<std::string>& names)
{
    return "\n" + ListLines(names, kListedNames, IDS_AND_MORE);
}

UINT ReasonOf(JournalFault fault)
{
    switch (fault) {
    case JournalFault::UnsafeName:
        return IDS_JOURNAL_UNSAFE;
    case JournalFault::OtherFolder:
        return IDS_JOURNAL_OTHER_FOLDER;
    default:
        return IDS_JOURNAL_MALFORMED;
    }
}

bool Move(const std::string& folder, const JournalRename& rename, bool back)
{
    const std::string& from = back ? rename.to : rename.from;
    const std::string& to = back ? rename.from : rename.to;
    return ::MoveFileA((folder + from).c_str(), (folder + to).c_str()) != FALSE;
}
}

CSaveFlow::CSaveFlow(const std::string& visFolder, std::string hostExe, const std::string& journalPath, Ask ask)
    : m_strVisFolder(visFolder), m_strHostExe(std::move(hostExe)), m_journal(journalPath, visFolder),
      m_ask(std::move(ask))
{
}

bool CSaveFlow::AskToRestart(const RunningHost& host, bool& restart)
{
    restart = false;
    if (!host.running)
        return true;
    int answer = m_ask(LoadResString(IDS_RESTART_HOST), MB_YESNOCANCEL | MB_ICONEXCLAMATION);
    restart = answer == IDYES;
    return answer != IDCANCEL;
}

// The host may have been closed while the question was up: a host that is
// gone has quit.
bool CSaveFlow::QuitHost(const RunningHost& host, DWORD& position)
{
    position = host.letGo();
    CWaitCursor wait;
    HWND hostWnd = nullptr;
    return !FindHostWindow(&hostWnd) || ::QuitHost(hostWnd, m_strHostExe) == HostQuit::Exited;
}

// A host that did not end is not started again: the start would only reach
// the old instance.
void CSaveFlow::FinishRestart(bool restart, bool hostQuit, DWORD position)
{
    if (restart && hostQuit) {
        CWaitCursor wait;
        RestartHost(m_strHostExe, position);
    } else if (restart) {
        m_ask(LoadResString(IDS_HOST_STILL_RUNNING), MB_ICONEXCLAMATION | MB_OK);
    }
}

// Save: the host must not hold the plug-ins while they are renamed, loads
// the new order only when it starts, and reads "VisNumber" then.
bool CSaveFlow::Save(const std::vector<SaveRow>& rows, int currentRow, int numberBefore, const RunningHost& host)
{
    bool restart = false;
    SaveJournal journal;
    if (!AskToRestart(host, restart) || !JournalBeforeRenames(journal, rows, currentRow, numberBefore))
        return false;
    DWORD position = 0;
    bool hostQuit = restart && QuitHost(host, position);
    WriteSavedVisNumber(currentRow, RenameRows(rows, currentRow));
    Close(journal, JournalState::Finished);
    FinishRestart(restart, hostQuit, position);
    return true;
}

// Without a record the Save cannot be undone, and the user decides. A
// running host stores its own number only when it quits, so the list's
// current visual tells the number before the Save best.
bool CSaveFlow::JournalBeforeRenames(SaveJournal& journal, const std::vector<SaveRow>& rows, int currentRow,
                                     int numberBefore)
{
    journal.visFolder = m_strVisFolder;
    journal.visNumberBefore = numberBefore != kNoVisual ? numberBefore : ReadVisNumber();
    journal.visNumberAfter = PlannedHostNumber(rows, currentRow);
    journal.renames = PlanSaveRenames(rows, m_journal.StampFolder());
    if (m_journal.Write(journal))
        return true;
    return m_ask(LoadResString(IDS_NO_JOURNAL), MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
}

// The current row's file as it is on disk afterwards.
std::string CSaveFlow::RenameRows(const std::vector<SaveRow>& rows, int currentRow)
{
    CWaitCursor wait;
    auto askToGoOn = [this](UINT messageId, const std::string& name) {
        return m_ask(FormatResString1(messageId, name), MB_ICONEXCLAMATION | MB_OKCANCEL) == IDOK;
    };
    std::string currentFile;
    for (size_t index = 0; index < rows.size(); ++index) {
        int row = kFirstPluginRow + static_cast<int>(index);
        std::string nameOnDisk;
        bool goOn = RenamePluginFile(m_strVisFolder, row, rows[index].file, rows[index].wantEnabled, askToGoOn,
                                     &nameOnDisk);
        if (row == currentRow)
            currentFile = nameOnDisk;
        if (!goOn) {
            if (currentRow > row && currentRow != kNoVisual)
                currentFile = rows[static_cast<size_t>(currentRow - kFirstPluginRow)].file;
            break;
        }
    }
    return currentFile;
}

// The number the current visual will have when the host next starts: it
// loads what the folder now holds, failed and skipped renames included.
// Without a current visual, or one the host will not load, the host's own
// value stays.
void CSaveFlow::WriteSavedVisNumber(int currentRow, const std::string& currentFile)
{
    if (currentRow == kNoVisual)
        return;
    int number = currentRow < kFirstPluginRow ? currentRow
                                              : HostNumberOfFile(currentFile, ListVisFolder(m_strVisFolder));
    if (number != kNoVisual)
        WriteVisNumber(number);
}

void CSaveFlow::Close(SaveJournal& journal, JournalState state)
{
    journal.state = state;
    m_journal.Write(journal);
}

bool CSaveFlow::CanUndo() const
{
    SaveJournal journal;
    return m_journal.Read(journal) == JournalFault::None && journal.state == JournalState::Finished;
}

// False, after telling the user why, when there is a journal that cannot be used.
bool CSaveFlow::ReadJournal(SaveJournal& journal)
{
    JournalFault fault = m_journal.Read(journal);
    if (fault == JournalFault::None)
        return true;
    m_ask(FormatResString1(IDS_JOURNAL_UNREADABLE, m_journal.GetPath()) + LoadResString(ReasonOf(fault)),
          MB_ICONEXCLAMATION | MB_OK);
    return false;
}

bool CSaveFlow::UndoLastSave(const RunningHost& host)
{
    SaveJournal journal;
    if (!ReadJournal(journal) || journal.state != JournalState::Finished)
        return false;
    std::vector<RenameFound> found = FindRenamesMade(journal.renames, m_journal.LookUpOnDisk());
    ReportLost(journal.renames, found);
    bool restart = false;
    if (!AskToRestart(host, restart))
        return false;
    DWORD position = 0;
    bool hostQuit = restart && QuitHost(host, position);
    UndoRenames(journal.renames, found);
    Close(journal, JournalState::Undone);
    if (journal.visNumberBefore != kNoVisual)
        WriteVisNumber(journal.visNumberBefore);
    FinishRestart(restart, hostQuit, position);
    return true;
}

void CSaveFlow::ReportLost(const std::vector<JournalRename>& renames, const std::vector<RenameFound>& found)
{
    std::vector<std::string> lost;
    for (size_t index = 0; index < renames.size(); ++index)
        if (found[index] == RenameFound::Lost)
            lost.push_back(renames[index].to);
    if (!lost.empty())
        m_ask(LoadResString(IDS_UNDO_LEFT_ALONE) + NameList(lost), MB_ICONEXCLAMATION | MB_OK);
}

// Last made, first put back; a failure asks whether to go on, as in Save.
void CSaveFlow::UndoRenames(const std::vector<JournalRename>& renames, const std::vector<RenameFound>& found)
{
    CWaitCursor wait;
    for (size_t index = renames.size(); index-- > 0;) {
        if (found[index] != RenameFound::Made || Move(m_strVisFolder, renames[index], true))
            continue;
        bool state = index > 0 && ContinuesPlugin(renames[index], renames[index - 1]);
        UINT message = state ? IDS_ENABLE_FAILED : IDS_TAG_FAILED;
        if (m_ask(FormatResString1(message, renames[index].to), MB_ICONEXCLAMATION | MB_OKCANCEL) != IDOK)
            return;
    }
}

void CSaveFlow::RecoverInterruptedSave()
{
    SaveJournal journal;
    if (!m_journal.Exists() || !ReadJournal(journal) || journal.state != JournalState::Open)
        return;
    std::vector<RenameFound> found = FindRenamesMade(journal.renames, m_journal.LookUpOnDisk());
    PluginCount count = CountPluginsRenamed(journal.renames, found);
    char question[512];
    std::snprintf(question, sizeof question, LoadResString(IDS_SAVE_INTERRUPTED).c_str(), count.renamed,
                  count.total);
    int answer = m_ask(question, MB_YESNOCANCEL | MB_ICONEXCLAMATION);
    if (answer == IDCANCEL) {
        Close(journal, JournalState::Finished);
        return;
    }
    bool finish = answer == IDYES;
    ReportFailedRenames(finish ? FinishRenames(journal.renames, found) : PutBackRenames(journal.renames, found));
    int visNumber = finish ? journal.visNumberAfter : journal.visNumberBefore;
    if (visNumber != kNoVisual)
        WriteVisNumber(visNumber);
    Close(journal, finish ? JournalState::Finished : JournalState::Undone);
}

// The renames not made yet, in their order; a plug-in whose tag cannot be
// given keeps its state too. The names that failed.
std::vector<std::string> CSaveFlow::FinishRenames(const std::vector<JournalRename>& renames,
                                                  const std::vector<RenameFound>& found)
{
    CWaitCursor wait;
    std::vector<std::string> failed;
    bool tagFailed = false;
    for (size_t index = 0; index < renames.size(); ++index) {
        bool continues = index > 0 && ContinuesPlugin(renames[index], renames[index - 1]);
        if (continues && tagFailed)
            continue;
        tagFailed = found[index] != RenameFound::Made && !Move(m_strVisFolder, renames[index], false);
        if (tagFailed)
            failed.push_back(renames[index].from);
    }
    return failed;
}

std::vector<std::string> CSaveFlow::PutBackRenames(const std::vector<JournalRename>& renames,
                                                   const std::vector<RenameFound>& found)
{
    CWaitCursor wait;
    std::vector<std::string> failed;
    for (size_t index = renames.size(); index-- > 0;) {
        if (found[index] == RenameFound::Lost)
            failed.push_back(renames[index].to);
        else if (found[index] == RenameFound::Made && !Move(m_strVisFolder, renames[index], true))
            failed.push_back(renames[index].to);
    }
    return failed;
}

void CSaveFlow::ReportFailedRenames(const std::vector<std::string>& names)
{
    if (!names.empty())
        m_ask(LoadResString(IDS_RENAMES_FAILED) + NameList(names), MB_ICONEXCLAMATION | MB_OK);
}
