#include "host/CSaveFlow.h"
#include <cstdio>
#include "catalogue/VisFolder.h"
#include "catalogue/VisPlugin.h"
#include "framework/CWaitCursor.h"
#include "framework/ResString.h"
#include "host/HostNumbering.h"
#include "host/HostProcess.h"
#include "host/HostRegistry.h"
#include "res/resource.h"

namespace {
UINT ReasonOf(JournalFault fault)
{
    switch (fault) {
    case JournalFault::UnsafeName:
        return IDS_JOURNAL_UNSAFE;
    case JournalFault::OtherFolder:
        return IDS_JOURNAL_OTHER_FOLDER;
    case JournalFault::Held:
        return IDS_JOURNAL_HELD;
    default:
        return IDS_JOURNAL_MALFORMED;
    }
}
}

CSaveFlow::CSaveFlow(const std::string& visFolder, std::string hostExe, const std::string& journalPath, Ask ask)
    : m_strVisFolder(visFolder), m_strHostExe(std::move(hostExe)), m_journal(journalPath, visFolder),
      m_ask(std::move(ask)), m_batch(visFolder, m_ask)
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
    if (!AskToRestart(host, restart))
        return false;
    SavePlan plan = PlanSaveRenames(rows, m_journal.StampFolder());
    SaveJournal journal = PlanJournal(rows, currentRow, numberBefore, plan);
    bool journalled = false;
    if (!JournalBeforeRenames(journal, journalled))
        return false;
    DWORD position = 0;
    bool hostQuit = restart && QuitHost(host, position);
    BatchResult result = m_batch.RunSave(plan);
    WriteVisNumberNow(journal, plan.steps, result.found, kNoVisual);
    if (journalled)
        Close(journal, JournalState::Finished);
    FinishRestart(restart, hostQuit, position);
    return true;
}

// A running host stores its own number only when it quits, so the list's
// current visual tells the number before the Save best.
SaveJournal CSaveFlow::PlanJournal(const std::vector<SaveRow>& rows, int currentRow, int numberBefore,
                                   const SavePlan& plan)
{
    SaveJournal journal;
    journal.visFolder = m_strVisFolder;
    journal.visNumberBefore = numberBefore != kNoVisual ? numberBefore : ReadVisNumber();
    journal.visNumberAfter = PlannedHostNumber(rows, currentRow);
    journal.currentRow = currentRow;
    if (currentRow != kNoVisual && currentRow >= kFirstPluginRow &&
        static_cast<size_t>(currentRow - kFirstPluginRow) < rows.size())
        journal.currentFile = rows[static_cast<size_t>(currentRow - kFirstPluginRow)].file;
    journal.renames = plan.Journalled();
    return journal;
}

// Without a record the Save cannot be undone, and the user decides. The
// record of the Save before must go first, or "Undo last Save" would give
// that one back over this one.
bool CSaveFlow::JournalBeforeRenames(const SaveJournal& journal, bool& journalled)
{
    journalled = m_journal.Write(journal);
    if (journalled)
        return true;
    if (m_ask(LoadResString(IDS_NO_JOURNAL), MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
        return false;
    if (m_journal.Remove())
        return true;
    m_ask(LoadResString(IDS_OLD_JOURNAL_KEPT), MB_ICONEXCLAMATION | MB_OK);
    return false;
}

// The number the current visual has when the host next starts: it loads
// what the folder holds when the batch ends, failed and skipped renames
// included. Without a current visual, or one the host will not load, the
// host's own value stays. A first-form journal knows only the number.
void CSaveFlow::WriteVisNumberNow(const SaveJournal& journal, const std::vector<JournalRename>& steps,
                                  const std::vector<RenameFound>& found, int numberOfFirstForm)
{
    int number = journal.currentRow;
    if (journal.currentRow == kUnknownRow)
        number = numberOfFirstForm;
    else if (journal.currentRow != kNoVisual && journal.currentRow >= kFirstPluginRow)
        number = HostNumberOfFile(
            PluginNameNow(journal.currentFile, journal.currentRow - kFirstPluginRow, steps, found),
            ListVisFolder(m_strVisFolder));
    if (number != kNoVisual)
        WriteVisNumber(number);
}

// A journal that cannot be marked would offer at the next start to put back
// a Save that ran whole: it goes.
void CSaveFlow::Close(SaveJournal& journal, JournalState state)
{
    journal.state = state;
    if (!m_journal.Write(journal))
        m_journal.Remove();
}

bool CSaveFlow::CanUndo() const
{
    SaveJournal journal;
    return m_journal.Read(journal) == JournalFault::None && journal.state == JournalState::Finished;
}

void CSaveFlow::ReportUnreadable(JournalFault fault)
{
    m_ask(FormatResString1(IDS_JOURNAL_UNREADABLE, m_journal.GetPath()) + LoadResString(ReasonOf(fault)),
          MB_ICONEXCLAMATION | MB_OK);
}

// False, after telling the user why, when there is a journal that cannot be used.
bool CSaveFlow::ReadJournal(SaveJournal& journal)
{
    JournalFault fault = m_journal.Read(journal);
    if (fault != JournalFault::None)
        ReportUnreadable(fault);
    return fault == JournalFault::None;
}

bool CSaveFlow::UndoLastSave(const RunningHost& host)
{
    SaveJournal journal;
    if (!ReadJournal(journal) || journal.state != JournalState::Finished)
        return false;
    std::vector<RenameFound> found = FindRenamesMade(journal.renames, m_journal.LookUpOnDisk());
    bool restart = false;
    if (!AskToRestart(host, restart))
        return false;
    DWORD position = 0;
    bool hostQuit = restart && QuitHost(host, position);
    BatchResult result = m_batch.Run(journal.renames, found, BatchWay::Back);
    Close(journal, JournalState::Undone);
    WriteVisNumberNow(journal, journal.renames, result.found, journal.visNumberBefore);
    FinishRestart(restart, hostQuit, position);
    return true;
}

// Only a journal that may hold a Save cut short needs an answer; one that
// cannot be read is reported then, and not at every start after.
void CSaveFlow::RecoverInterruptedSave(const RunningHost& host)
{
    if (!m_journal.Exists())
        return;
    SaveJournal journal;
    JournalFault fault = m_journal.Read(journal);
    if (fault != JournalFault::None && m_journal.ClaimsOpen())
        ReportUnreadable(fault);
    if (fault != JournalFault::None || journal.state != JournalState::Open)
        return;
    std::vector<RenameFound> found = FindRenamesMade(journal.renames, m_journal.LookUpOnDisk());
    bool finish = false;
    bool restart = false;
    // No rename while the host runs: it holds its plug-ins, and writes its own "VisNumber" when it quits.
    if (!AskToRecover(journal, found, finish) || !AskToRestart(host, restart) || host.running != restart)
        return;
    DWORD position = 0;
    if (restart && !QuitHost(host, position)) {
        m_ask(LoadResString(IDS_RECOVERY_HOST_RUNNING), MB_ICONEXCLAMATION | MB_OK);
        return;
    }
    BatchResult result = m_batch.Run(journal.renames, found, finish ? BatchWay::Forward : BatchWay::Back);
    WriteVisNumberNow(journal, journal.renames, result.found,
                      finish ? journal.visNumberAfter : journal.visNumberBefore);
    Close(journal, finish ? JournalState::Finished : JournalState::Undone);
    FinishRestart(restart, true, position);
}

// A Save whose every rename was made ran whole, though its journal was not
// marked: nothing to ask. Cancel leaves the files and ends the journal.
bool CSaveFlow::AskToRecover(SaveJournal& journal, const std::vector<RenameFound>& found, bool& finish)
{
    PluginCount count = CountPluginsRenamed(journal.renames, found);
    if (count.renamed == count.total) {
        WriteVisNumberNow(journal, journal.renames, found, journal.visNumberAfter);
        Close(journal, JournalState::Finished);
        return false;
    }
    char question[512];
    std::snprintf(question, sizeof question, LoadResString(IDS_SAVE_INTERRUPTED).c_str(), count.renamed,
                  count.total);
    int answer = m_ask(question, MB_YESNOCANCEL | MB_ICONEXCLAMATION);
    if (answer == IDCANCEL)
        Close(journal, JournalState::Finished);
    finish = answer == IDYES;
    return answer != IDCANCEL;
}
