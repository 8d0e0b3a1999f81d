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
    folder.WriteFile(L"F\u0101re.svp");

    CFileFind find;
    ASSERT_TRUE(find.FindFile(folder / "*.svp"));
    std::set<std::string> seen;
    BOOL more = TRUE;
    while (more) {
        more = find.FindNextFile();
        seen.insert(find.GetFileName());
    }
    EXPECT_EQ(seen, (std::set<std::string>{"Fare.svp", "F?re.svp"}));
}

TEST(CFileFind, AFolderTheCodePageCannotHoldIsSearchedByItsWidePath)
{
    TempFolder folder;
    folder.MakeFolder("Wave");
    folder.MakeFolder(L"W\u0101ve");
    folder.WriteFile(L"W\u0101ve\\Inner.svp");

    CFileFind find;
    ASSERT_TRUE(find.FindFile(folder / "W*"));
    std::wstring unmapped;
    BOOL more = TRUE;
    while (more) {
        more = find.FindNextFile();
        if (find.GetFileName() == "W?ve")
            unmapped = find.GetWideFilePath();
    }
    EXPECT_EQ(unmapped, folder / L"W\u0101ve") << "not the look-alike Wave";

    CFileFind inner;
    ASSERT_TRUE(inner.FindFile(unmapped + L"\\*.svp"));
    inner.FindNextFile();
    EXPECT_EQ(inner.GetFileName(), "Inner.svp");
    EXPECT_EQ(inner.GetFilePath(), folder / "W?ve\\Inner.svp") << "the code page's name of the root";
    EXPECT_EQ(inner.GetWideFilePath(), folder / L"W\u0101ve\\Inner.svp");
}
