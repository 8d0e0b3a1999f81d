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
