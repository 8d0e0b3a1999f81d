#pragma once
#include <string>
#include "framework/CWinApp.h"
#include "selfdelete/SelfDeleteLine.h"

// The application base that can remove the program's own executable. A
// running program cannot delete its executable, so SelfDelete starts a
// temporary copy of it with "/SelfDelete" and the facts on its command line;
// that copy is recognised in InitApplication, waits for the program to end,
// deletes the executable and ends without a window. The system removes the
// copy's own file when the copy ends.
class CSelfDeleteApp : public CWinApp {
public:
    // Starts the copy; false when it could not be started.
    bool SelfDelete(DWORD flags);
    // False, ending the program, in a self-deletion copy.
    BOOL InitApplication() override;
    // Deletes the files of the folder that holds the file at path (path
    // becomes that folder), then the folder; sub-folders are left alone.
    bool RemoveFolder(std::string& path);

    virtual void OnRemoveFolderFailed(const std::string&, DWORD) {}
    virtual bool CanRemoveFolder(const std::string&) { return true; }

private:
    static bool StartCopy(const std::string& copyPath, const SelfDeleteLine& line, const std::string& folder);
    void DeleteFor(const SelfDeleteLine& line);
    static bool WaitForEndOf(HANDLE process, const std::string& executable);
    static bool ProcessRunsFile(HANDLE process, const std::string& path);
    static void DeleteExecutable(const std::string& path);
};
