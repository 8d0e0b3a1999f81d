#include <gtest/gtest.h>
#include <windows.h>
#include <set>
#include <string>
#include <vector>
#include "selfdelete/CSelfDeleteApp.h"
#include "tests/TempFiles.h"
#include "tests/TempFolder.h"

namespace {
const DWORD kProcessTimeoutMs = 60000;

std::string StandIn()
{
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\') + 1) + "selfdelete_standin.exe";
}

bool Exists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Starts a command line; its process handle (null when it did not start).
HANDLE Start(const std::string& command, bool inheritHandles = false)
{
    std::vector<char> line(command.begin(), command.end());
    line.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, inheritHandles, 0, nullptr, nullptr, &startup,
                          &process))
        return nullptr;
    ::CloseHandle(process.hThread);
    return process.hProcess;
}

// Runs a command line to its end; false when it did not start or end in time.
bool RunToEnd(const std::string& command, bool inheritHandles = false)
{
    HANDLE process = Start(command, inheritHandles);
    bool ended = process && ::WaitForSingleObject(process, kProcessTimeoutMs) == WAIT_OBJECT_0;
    if (process)
        ::CloseHandle(process);
    return ended;
}

// Milliseconds until the path is gone, or -1 after timeoutMs.
long WaitUntilGone(const std::string& path, DWORD timeoutMs)
{
    DWORD start = ::GetTickCount();
    while (Exists(path)) {
        if (::GetTickCount() - start > timeoutMs)
            return -1;
        ::Sleep(50);
    }
    return static_cast<long>(::GetTickCount() - start);
}

std::string Quoted(const std::string& path)
{
    return "\"" + path + "\"";
}

// The stand-in installed as "tool.exe" in "Program Files\My Tool", with its
// settings file and readme beside it.
struct Installation {
    Installation()
    {
        folder.MakeFolder("Program Files");
        folder.MakeFolder(kTool);
        ::CopyFileA(StandIn().c_str(), Executable().c_str(), FALSE);
        folder.WriteFile(std::string(kTool) + "\\tool.ini", "[VisCache]\r\n");
        folder.WriteFile(std::string(kTool) + "\\tool.txt", "readme");
    }
    std::string Folder() const { return folder / kTool; }
    std::string Executable() const { return Folder() + "\\tool.exe"; }

    static constexpr const char* kTool = "Program Files\\My Tool";
    TempFolder folder;
};

class FolderApp : public CSelfDeleteApp {
public:
    bool allow = true;
    bool CanRemoveFolder(const std::string&) override { return allow; }
};
}

TEST(CSelfDeleteApp, UninstallFromAFolderWithBlanksDeletesOnlyTheExecutable)
{
    Installation installed;
    std::set<std::string> copiesBefore = TempFilesMatching("Del*.tmp");
    ASSERT_TRUE(RunToEnd(Quoted(installed.Executable()) + " uninstall 2"));
    long gone = WaitUntilGone(installed.Executable(), 10000);
    EXPECT_GE(gone, 0) << "the executable is still there";
    EXPECT_LE(gone, 2000) << "the executable went only " << gone << " ms after the program ended";
    EXPECT_TRUE(Exists(installed.Folder() + "\\tool.ini"));
    EXPECT_TRUE(Exists(installed.Folder() + "\\tool.txt"));
    EXPECT_FALSE(Exists(installed.Executable() + ".started"));
    // The copy's file goes with the copy.
    DWORD start = ::GetTickCount();
    while (TempFilesMatching("Del*.tmp") != copiesBefore && ::GetTickCount() - start < 10000)
        ::Sleep(100);
    EXPECT_EQ(TempFilesMatching("Del*.tmp"), copiesBefore);
}

TEST(CSelfDeleteApp, RemoveFolderFlagDeletesTheFolderOrReportsWhyNot)
{
    Installation whole;
    ASSERT_TRUE(RunToEnd(Quoted(whole.Executable()) + " uninstall 1"));
    EXPECT_GE(WaitUntilGone(whole.Folder(), 10000), 0);

    Installation withSubfolder;
    withSubfolder.folder.MakeFolder(std::string(Installation::kTool) + "\\Skins");
    ASSERT_TRUE(RunToEnd(Quoted(withSubfolder.Executable()) + " uninstall 1"));
    std::string report = withSubfolder.Folder() + "\\remove-failed.txt";
    DWORD start = ::GetTickCount();
    while (!Exists(report) && ::GetTickCount() - start < 10000)
        ::Sleep(50);
    EXPECT_TRUE(Exists(report));
    EXPECT_FALSE(Exists(withSubfolder.Executable()));
    EXPECT_FALSE(Exists(withSubfolder.Folder() + "\\tool.ini"));
    EXPECT_TRUE(Exists(withSubfolder.Folder() + "\\Skins"));
}

TEST(CSelfDeleteApp, ForgedLinesStartTheProgramNormallyOrDeleteNothing)
{
    Installation installed;
    std::string program = Quoted(installed.Executable()) + " ";
    std::string victim = installed.Folder() + "\\tool.ini";
    std::string started = installed.Executable() + ".started";
    for (std::string normal : {std::string("/SelfDelete a b c"), "/Other 420 " + Quoted(victim) + " 0",
                               "/SelfDelete 420 " + installed.Folder() + "\\tool.ini 0"}) {
        ::DeleteFileA(started.c_str());
        ASSERT_TRUE(RunToEnd(program + normal)) << normal;
        EXPECT_TRUE(Exists(started)) << "no normal start for: " << normal;
    }
    ::DeleteFileA(started.c_str());
    // No such handle; its own process; and its own process naming its own file.
    for (std::string forged : {"/SelfDelete 12345 " + Quoted(victim) + " 0", "/SelfDelete -1 " + Quoted(victim) + " 0",
                               "/SelfDelete -1 " + Quoted(installed.Executable()) + " 0"}) {
        ASSERT_TRUE(RunToEnd(program + forged)) << "no end for: " << forged;
        EXPECT_TRUE(Exists(victim)) << forged;
        EXPECT_TRUE(Exists(installed.Executable())) << forged;
        EXPECT_FALSE(Exists(started)) << forged;
    }
}

TEST(CSelfDeleteApp, OnlyTheEndOfAProcessRunningTheNamedFileLetsTheCopyDelete)
{
    Installation installed;
    std::string other = installed.Folder() + "\\other.exe";
    ASSERT_TRUE(::CopyFileA(StandIn().c_str(), other.c_str(), FALSE));
    HANDLE ended = Start(Quoted(other));
    ASSERT_TRUE(ended);
    ASSERT_EQ(::WaitForSingleObject(ended, kProcessTimeoutMs), WAIT_OBJECT_0);
    HANDLE inherited = nullptr;
    ASSERT_TRUE(::DuplicateHandle(::GetCurrentProcess(), ended, ::GetCurrentProcess(), &inherited,
                                  SYNCHRONIZE | PROCESS_QUERY_INFORMATION, TRUE, 0));
    std::string copy = Quoted(installed.Executable()) + " /SelfDelete " +
                       std::to_string(reinterpret_cast<LONG_PTR>(inherited)) + " ";

    std::string victim = installed.Folder() + "\\tool.ini";
    ASSERT_TRUE(RunToEnd(copy + Quoted(victim) + " 0", true));
    EXPECT_TRUE(Exists(victim)) << "deleted a file the ended process did not run";
    ASSERT_TRUE(RunToEnd(copy + Quoted(other) + " 0", true));
    EXPECT_FALSE(Exists(other));
    ::CloseHandle(inherited);
    ::CloseHandle(ended);
}

TEST(CSelfDeleteApp, RemoveFolderDeletesFilesButNoSubfolders)
{
    TempFolder root;
    root.MakeFolder("a b");
    root.WriteFile("a b\\one.exe", "1");
    root.WriteFile("a b\\two.ini", "2");
    FolderApp app;
    std::string path = root / "a b\\one.exe";
    EXPECT_TRUE(app.RemoveFolder(path));
    EXPECT_EQ(path, root / "a b");
    EXPECT_FALSE(root.Exists("a b"));

    root.MakeFolder("c");
    root.MakeFolder("c\\sub");
    root.WriteFile("c\\one.exe", "1");
    path = root / "c\\one.exe";
    EXPECT_FALSE(app.RemoveFolder(path));
    EXPECT_FALSE(root.Exists("c\\one.exe"));
    EXPECT_TRUE(root.Exists("c\\sub"));

    root.WriteFile("c\\one.exe", "1");
    app.allow = false;
    path = root / "c\\one.exe";
    EXPECT_TRUE(app.RemoveFolder(path));
    EXPECT_TRUE(root.Exists("c\\one.exe"));
}
