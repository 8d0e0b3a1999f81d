#include <gtest/gtest.h>
#include <windows.h>
#include <set>
#include <string>
#include "framework/CFileFind.h"
#include "tests/TempFolder.h"

TEST(CFileFind, WalksEveryEntryAndNamesItAgainstTheRoot)
{
    TempFolder folder;
    folder.WriteFile("a.svp", "");
    folder.WriteFile("b.txt", "");
    folder.MakeFolder("Deep.pack");

    CFileFind find;
    ASSERT_TRUE(find.FindFile(folder.Path() + "\\*.*"));
    EXPECT_EQ(find.GetRoot(), folder.Path());
    std::set<std::string> seen;
    BOOL more = TRUE;
    while (more) {
        more = find.FindNextFile();
        if (find.IsDots())
            continue;
        seen.insert(find.GetFileName());
        if (find.GetFileName() == "Deep.pack") {
            EXPECT_TRUE(find.IsDirectory());
            EXPECT_EQ(find.GetFileTitle(), "Deep");
            EXPECT_EQ(find.GetFilePath(), folder.Path() + "\\Deep.pack");
        }
    }
    EXPECT_EQ(seen, (std::set<std::string>{"a.svp", "b.txt", "Deep.pack"}));
}

TEST(CFileFind, NothingFoundKeepsTheSystemError)
{
    TempFolder folder;
    CFileFind find;
    EXPECT_FALSE(find.FindFile(folder.Path() + "\\missing\\*.*"));
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_FALSE(find.FindNextFile());
}

// "ā" is no character of the Western code page, and the system's own
// conversion makes it a plain "a": a name that would open Fare.svp instead.
TEST(CFileFind, ANameTheCodePageCannotHoldComesBackWithAQuestionMark)
{
    TempFolder folder;
    folder.WriteFile("Fare.svp", "");
    wchar_t widePath[MAX_PATH];
    ::MultiByteToWideChar(CP_ACP, 0, (folder / "").c_str(), -1, widePath, MAX_PATH);
    std::wstring unmapped = std::wstring(widePath) + L"F\u0101re.svp";
    HANDLE file = ::CreateFileW(unmapped.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    ::CloseHandle(file);

    CFileFind find;
    ASSERT_TRUE(find.FindFile(folder / "*.svp"));
    std::set<std::string> seen;
    BOOL more = TRUE;
    while (more) {
        more = find.FindNextFile();
        seen.insert(find.GetFileName());
    }
    find.Close();
    ::DeleteFileW(unmapped.c_str());  // the folder's cleanup goes by the code page's names
    EXPECT_EQ(seen, (std::set<std::string>{"Fare.svp", "F?re.svp"}));
}
