// A Recycle Bin that can take nothing. Under Wine the bin is the trash folder
// under XDG_DATA_HOME, looked up once a process: this executable points it
// where no folder can be made before its first file goes.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>
#include "catalogue/RecycleBin.h"
#include "tests/TempFolder.h"

namespace {
bool Exists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

struct Question {
    std::string text;
    UINT type;
};

class FullBin : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ::SetEnvironmentVariableA("XDG_DATA_HOME", "/dev/null"); }

    RecycleOutcome Recycle(const std::string& path, int answer, bool& binRefused)
    {
        return MoveToRecycleBin(
            path,
            [this, answer](const std::string& text, UINT type) {
                m_questions.push_back({text, type});
                return answer;
            },
            &binRefused);
    }

    TempFolder m_folder;
    std::vector<Question> m_questions;
};
}

TEST_F(FullBin, AFileOrFolderTheBinCannotTakeIsKeptOnNoAndDeletedOnlyOnYes)
{
    m_folder.WriteFile("Fire.svp", "plug-in");
    m_folder.MakeFolder("Pack");
    m_folder.WriteFile("Pack\\pack.svp", "plug-in");
    for (const char* name : {"Fire.svp", "Pack"}) {
        std::string path = m_folder / name;
        m_questions.clear();
        bool binRefused = false;
        EXPECT_EQ(Recycle(path, IDNO, binRefused), RecycleOutcome::Kept) << name;
        EXPECT_TRUE(binRefused) << name;
        EXPECT_TRUE(Exists(path)) << name;
        ASSERT_EQ(m_questions.size(), 1u) << name;
        EXPECT_EQ(m_questions[0].text, "The Recycle Bin cannot take '" + path +
                                           "': it is switched off, the drive has none, or the file is too big for "
                                           "it.\nDelete it for good? No keeps it.");
        EXPECT_EQ(m_questions[0].type, static_cast<UINT>(MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2));

        EXPECT_EQ(Recycle(path, IDYES, binRefused), RecycleOutcome::Deleted) << name;
        EXPECT_TRUE(binRefused) << name;
        EXPECT_FALSE(Exists(path)) << name;
        EXPECT_EQ(m_questions.size(), 2u) << name;
    }
    EXPECT_TRUE(Exists(m_folder.Path())) << "only what was named goes";
}

TEST_F(FullBin, NothingThereIsNothingToAskAbout)
{
    bool binRefused = true;
    EXPECT_EQ(Recycle(m_folder / "Gone.svp", IDYES, binRefused), RecycleOutcome::Recycled);
    EXPECT_FALSE(binRefused);
    EXPECT_TRUE(m_questions.empty());
}
