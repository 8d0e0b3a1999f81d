#pragma once
#include <windows.h>
#include <functional>
#include <string>
#include <vector>
#include "host/CRenameBatch.h"
#include "host/JournalFile.h"
#include "host/RenamePlan.h"

// Save and the way back from it: the plan, the journal written before the
// first rename, the renames, the host's quit and restart around them, the
// finish or undo of a Save cut short, and "Undo last Save". It knows the
// main window only through what it is handed.
class CSaveFlow {
public:
    using Ask = MessageAsk;

    // The host as the main window last saw it. letGo stops watching it and
    // hands back its playback position (0 when there is none).
    struct RunningHost {
        bool running = false;
        std::function<DWORD()> letGo;
    };

    CSaveFlow(const std::string& visFolder, std::string hostExe, const std::string& journalPath, Ask ask);

    // Renames the rows' files into their order and states and writes
    // "VisNumber" for currentRow (a list row, kNoVisual for none), whose
    // host number before the Save is numberBefore (kNoVisual: the host's own
    // value stands). False when the user stopped it before anything changed.
    bool Save(const std::vector<SaveRow>& rows, int currentRow, int numberBefore, const RunningHost& host);

    // A journal of a whole Save that was not given back yet.
    bool CanUndo() const;
    // Gives the last Save's files their names from before it, and
    // "VisNumber" its value. False when nothing was done.
    bool UndoLastSave(const RunningHost& host);

    // At start-up: a Save cut short is finished, put back or left, as the
    // user says; while the host runs, only around its quit and restart.
    void RecoverInterruptedSave(const RunningHost& host);

private:
    // The restart question while the host runs; false for Cancel.
    bool AskToRestart(const RunningHost& host, bool& restart);
    // Lets go of the host and tells it to quit; false when it is still running.
    bool QuitHost(const RunningHost& host, DWORD& position);
    void FinishRestart(bool restart, bool hostQuit, DWORD position);
    SaveJournal PlanJournal(const std::vector<SaveRow>& rows, int currentRow, int numberBefore,
                            const SavePlan& plan);
    // Whether the Save may go on, and whether it has a journal.
    bool JournalBeforeRenames(const SaveJournal& journal, bool& journalled);
    void WriteVisNumberNow(const SaveJournal& journal, const std::vector<JournalRename>& steps,
                           const std::vector<RenameFound>& found, int numberOfFirstForm);
    bool ReadJournal(SaveJournal& journal);
    void ReportUnreadable(JournalFault fault);
    // Asks whether to finish or put back; false when the journal is done with.
    bool AskToRecover(SaveJournal& journal, const std::vector<RenameFound>& found, bool& finish);
    void Close(SaveJournal& journal, JournalState state);

    std::string m_strVisFolder;
    std::string m_strHostExe;
    JournalFile m_journal;
    Ask m_ask;
    CRenameBatch m_batch;
};
