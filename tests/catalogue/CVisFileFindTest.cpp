#include <gtest/gtest.h>
#include <windows.h>
#include <set>
#include <string>
#include "catalogue/CVisFileFind.h"
#include "tests/TempFolder.h"

namespace {
std::set<std::string> NamesFound(CVisFileFind& find, const std::string& pattern)
{
    std::set<std::string> names;
    if (!find.FindFile(pattern))
        return names;
    BOOL more = TRUE;
    while (more) {
        more = find.FindNextFile();
        if (!find.IsDots())
            names.insert(find.GetFileName());
    }
    return names;
}
}

TEST(CVisFileFind, SearchesItsRootWithOrWithoutTrailingBackslash)
{
    TempFolder folder;
    folder.WriteFile("a.svp", "");
    folder.WriteFile("b.svp_disabled", "");
    folder.WriteFile("c.txt", "");

    for (const std::string& root : {folder.Path(), folder.Path() + "\\"}) {
        CVisFileFind find(root);
        EXPECT_EQ(NamesFound(find, "*.*"), (std::set<std::string>{"a.svp", "b.svp_disabled", "c.txt"})) << root;
        EXPECT_EQ(find.GetRoot(), root) << "the root stays as given";
        EXPECT_EQ(NamesFound(find, "*.svp*"), (std::set<std::string>{"a.svp", "b.svp_disabled"})) << root;
        ASSERT_TRUE(find.FindFile("a.svp"));
        find.FindNextFile();
        EXPECT_EQ(find.GetFilePath(), folder.Path() + "\\a.svp") << root;
        EXPECT_EQ(find.GetWideFilePath(), folder / L"a.svp") << root;
    }
}

TEST(CVisFileFind, WithoutRootThePatternIsAPathAndGivesTheRoot)
{
    TempFolder folder;
    folder.WriteFile("a.svp", "");
    CVisFileFind find("");
    EXPECT_EQ(NamesFound(find, folder.Path() + "\\*.svp"), (std::set<std::string>{"a.svp"}));
    EXPECT_EQ(find.GetRoot(), folder.Path());
    EXPECT_EQ(find.GetFilePath(), folder.Path() + "\\a.svp");
}

TEST(CVisFileFind, NothingFoundClosesTheSearchAndKeepsTheSystemError)
{
    TempFolder folder;
    CVisFileFind missing(folder / "missing");
    EXPECT_FALSE(missing.FindFile());
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_FALSE(missing.FindNextFile());

    CVisFileFind empty(folder.Path());
    EXPECT_FALSE(empty.FindFile("*.svp"));
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST(CVisFileFind, ExtensionIsTheCurrentNameAfterItsLastDot)
{
    TempFolder folder;
    folder.WriteFile("012_Fire.svp_disabled", "");
    folder.WriteFile("Glow.svp.bak", "");
    folder.WriteFile("NoDot", "");

    CVisFileFind find(folder.Path());
    ASSERT_TRUE(find.FindFile());
    std::set<std::string> extensions;
    BOOL more = TRUE;
    while (more) {
        more = find.FindNextFile();
        if (!find.IsDots())
            extensions.insert(find.GetFileName() + ":" + find.GetFileExt());
    }
    EXPECT_EQ(extensions, (std::set<std::string>{"012_Fire.svp_disabled:svp_disabled", "Glow.svp.bak:bak", "NoDot:"}));
}
