// The index against the system's own private-profile functions: the same
// answers for every key, and the same file after the same writes.
#include <gtest/gtest.h>
#include <windows.h>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>
#include "catalogue/CProfileIndex.h"
#include "framework/CProfileFile.h"
#include "tests/TempFiles.h"
#include "tests/TempFolder.h"
#include "tests/catalogue/TrickyProfile.h"

namespace {
const std::vector<std::string> kSections = {"VisCache", " viscache ", "LockedVis", "Other", "", "Added", "Missing"};

// The tricky file's keys as written and in other spellings, keys it lacks,
// and keys the format cannot hold.
const std::vector<std::string> kKeys = {
    "Top",  "Fire", "FIRE",  " fire\t",  "Ice",      "Double",   "Single", "Open",   "Mixed",
    "Lone", "Bare", "bare",  ";Semi",    "Eq",       "Eq=a",     "Caf\xC9", "caf\xC9", "caf\xE9",
    "[NoClose", "Late", "Empty", "Long", "Brand",    "Quoted",   "Key",    "Missing", "",
    " ",    "Fire\r\nIce", "[Other]",
};

struct Write {
    const char* section;
    const char* key;
    const char* value;
    bool held;  // false: the file cannot hold it, the index refuses it
};

const Write kWrites[] = {
    {"VisCache", "fire", "Fire Storm", true},       // the first of duplicates, in another case
    {"VisCache", "bare", "Was Bare", true},         // a key without value
    {"VisCache", "Late", "Late Again", true},       // only in the repeated section
    {"VisCache", "Brand", "  New  ", true},         // blanks around the value
    {"Added", "Key", "Value", true},                // a section the file lacks
    {"VisCache", "Quoted", "\"q\"", true},
    {"VisCache", "caf\xE9", "Cafe", true},          // not the key Caf\xC9
    {"VisCache", "BRAND", "Newer", true},           // written twice
    {"VisCache", "Eq=x", "would read as Eq", false},
    {"VisCache", "Evil", "a\r\n[LockedVis]\r\nFire=Hacked", false},
    {"Other", "Fire", "", true},
};

std::string FileText(const std::string& path)
{
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

// The file as the system's writer leaves it: it writes every line anew in
// its own form (blank lines gone, blanks trimmed), whichever key it writes.
std::string RewrittenBySystem(const CProfileFile& file)
{
    ::WritePrivateProfileStringA("Rewrite", "Now", "1", file.GetPath().c_str());
    ::WritePrivateProfileStringA("Rewrite", nullptr, nullptr, file.GetPath().c_str());
    return FileText(file.GetPath());
}

std::string Describe(const std::string& section, const std::string& key)
{
    return "[" + section + "] '" + key + "'";
}
}

class ProfileIndexEquivalence : public ::testing::Test {
protected:
    void WriteBoth(const std::string& text)
    {
        m_folder.WriteFile("per-key.ini", text);
        m_folder.WriteFile("indexed.ini", text);
    }

    // The index against the system's reader on the file written key by key.
    void ExpectSameAnswers(const CProfileIndex& index, const std::string& when) const
    {
        for (const std::string& section : kSections) {
            for (const std::string& key : kKeys)
                EXPECT_EQ(index.GetString(section, key), m_perKey.GetString(section, key))
                    << Describe(section, key) << " " << when;
        }
    }
    // The system's reader on both files.
    void ExpectSameFileAnswers() const
    {
        for (const std::string& section : kSections) {
            for (const std::string& key : kKeys)
                EXPECT_EQ(m_indexed.GetString(section, key), m_perKey.GetString(section, key))
                    << Describe(section, key) << " in the file";
        }
    }

    TempFolder m_folder;
    CProfileFile m_perKey{m_folder / "per-key.ini"};
    CProfileFile m_indexed{m_folder / "indexed.ini"};
};

TEST_F(ProfileIndexEquivalence, AnswersEveryKeyAsTheSystemsReader)
{
    WriteBoth(kTrickyProfileText);
    CProfileIndex index(m_indexed);
    ExpectSameAnswers(index, "before any write");
}

class ProfileIndexWrites : public ProfileIndexEquivalence, public ::testing::WithParamInterface<const char*> {};

TEST_P(ProfileIndexWrites, WritesLeaveTheFileThatPerKeyWritesLeave)
{
    std::string start = GetParam();
    std::string text = start == "tricky" ? kTrickyProfileText : start == "unterminated" ? "[Other]\r\nA=1" : "";
    if (start != "missing")
        WriteBoth(text);
    CProfileIndex index(m_indexed);
    for (const Write& write : kWrites) {
        EXPECT_EQ(index.WriteString(write.section, write.key, write.value), write.held) << write.key;
        // The system's writer itself: ours refuses its rewrite of this file,
        // which loses the words after a header.
        if (write.held) {
            ASSERT_TRUE(
                ::WritePrivateProfileStringA(write.section, write.key, write.value, m_perKey.GetPath().c_str()));
        }
        ExpectSameAnswers(index, "after writing " + Describe(write.section, write.key));
    }
    EXPECT_EQ(m_folder.Exists("indexed.ini"), start != "missing");
    EXPECT_EQ(FileText(m_indexed.GetPath()), text) << "nothing is written before the flush";
    EXPECT_TRUE(index.Flush());
    ExpectSameFileAnswers();
    EXPECT_EQ(RewrittenBySystem(m_indexed), RewrittenBySystem(m_perKey));
}

INSTANTIATE_TEST_SUITE_P(Start, ProfileIndexWrites, ::testing::Values("tricky", "missing", "unterminated"));

TEST_F(ProfileIndexEquivalence, FileTheSystemReadsAsUnicodeIsReadAndWrittenKeyByKey)
{
    WriteBoth("\xEF\xBB\xBF[VisCache]\r\nFire=Fire Storm\r\n");
    CProfileIndex index(m_indexed);
    EXPECT_EQ(index.GetString("VisCache", "Fire"), "Fire Storm");
    EXPECT_TRUE(index.WriteString("VisCache", "Ice", "Ice Age"));
    EXPECT_TRUE(m_perKey.WriteString("VisCache", "Ice", "Ice Age"));
    EXPECT_EQ(FileText(m_indexed.GetPath()), FileText(m_perKey.GetPath())) << "written at once";
    EXPECT_TRUE(index.Flush());
    EXPECT_EQ(FileText(m_indexed.GetPath()), FileText(m_perKey.GetPath()));
}

// A settings file that another program may hold open without sharing; it
// lets go the moment we write, so that only our own care keeps the file.
class SharedProfileFile : public CProfileFile {
public:
    using CProfileFile::CProfileFile;
    ~SharedProfileFile() override { LetGo(); }

    bool Hold()
    {
        m_held = ::CreateFileA(GetPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                               nullptr);
        return m_held != INVALID_HANDLE_VALUE;
    }
    void LetGo() const
    {
        if (m_held != INVALID_HANDLE_VALUE)
            ::CloseHandle(m_held);
        m_held = INVALID_HANDLE_VALUE;
    }

protected:
    bool WriteBytes(HANDLE file, const std::string& text) const override
    {
        LetGo();
        return CProfileFile::WriteBytes(file, text);
    }

private:
    mutable HANDLE m_held = INVALID_HANDLE_VALUE;
};

// A file with 40 names given by hand, as the user keeps it.
class ProfileIndexKeepsTheUsersLines : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_text = "[LockedVis]\r\n";
        for (int line = 1; line <= 40; ++line)
            m_text += "Locked" + std::to_string(line) + "=Name given by hand " + std::to_string(line) + "\r\n";
        m_text += "\r\n[VisCache]\r\nFire=Fire Storm\r\n";
        m_folder.WriteFile("orbiquel.ini", m_text);
    }

    void CacheNewNames(CProfileIndex& index) const
    {
        EXPECT_TRUE(index.WriteString("VisCache", "Ice", "Ice Age"));
        EXPECT_TRUE(index.WriteString("VisCache", "Glow", "Glow Worm"));
    }

    void ExpectUntouched(const std::string& when) const
    {
        EXPECT_EQ(FileText(m_path), m_text) << when;
        EXPECT_EQ(FilesMatching(m_folder.Path() + "\\"), std::set<std::string>{"orbiquel.ini"}) << when;
    }

    TempFolder m_folder;
    std::string m_path = m_folder / "orbiquel.ini";
    std::string m_text;
};

TEST_F(ProfileIndexKeepsTheUsersLines, FileHeldByAnotherProgramAtTheFlushIsNotWritten)
{
    SharedProfileFile settings(m_path);
    CProfileIndex index(settings);
    EXPECT_EQ(index.GetString("LockedVis", "Locked40"), "Name given by hand 40");
    CacheNewNames(index);
    ASSERT_TRUE(settings.Hold());
    EXPECT_FALSE(index.Flush());
    settings.LetGo();
    ExpectUntouched("after the flush");
}

TEST_F(ProfileIndexKeepsTheUsersLines, FileHeldWhenFirstReadAnswersNothingAndIsWrittenWholeOnceFree)
{
    SharedProfileFile settings(m_path);
    ASSERT_TRUE(settings.Hold());
    CProfileIndex index(settings);
    EXPECT_EQ(index.GetString("LockedVis", "Locked1"), "");
    CacheNewNames(index);
    settings.LetGo();
    EXPECT_TRUE(index.Flush());
    EXPECT_EQ(FileText(m_path), m_text + "Ice=Ice Age\r\nGlow=Glow Worm\r\n");
}
