#include <gtest/gtest.h>
#include <windows.h>
#include <fstream>
#include <sstream>
#include <string>
#include "catalogue/DisplayName.h"
#include "catalogue/PluginQuery.h"
#include "framework/CProfileFile.h"
#include "testing/plugins/StandInPlugins.h"
#include "tests/TempFolder.h"

using standin::Kind;

namespace {
struct Lookup {
    bool found;
    std::string name;
    PluginDiagnosis why;
};

std::string RepeatedDigits(size_t length)
{
    std::string text;
    for (size_t i = 0; i < length; ++i)
        text += static_cast<char>('0' + i % 10);
    return text;
}
}

class DisplayNames : public ::testing::Test {
protected:
    void SetUp() override { ::CreateDirectoryA(m_vis.c_str(), nullptr); }

    Lookup LookUp(const std::string& relative) const
    {
        std::string name = "stale";
        PluginDiagnosis why;
        bool found = LookupDisplayName(m_settings, m_vis + "\\" + relative, m_folder.Path(), name, why);
        return {found, name, why};
    }
    std::string Cached(const std::string& key) const { return m_settings.GetString(kCacheSection, key); }
    std::string SettingsText() const
    {
        std::ostringstream text;
        text << std::ifstream(m_settings.GetPath(), std::ios::binary).rdbuf();
        return text.str();
    }

    TempFolder m_folder;
    std::string m_vis = m_folder / "Vis";
    CProfileFile m_settings{m_folder / "orbiquel.ini"};
};

TEST_F(DisplayNames, PluginIsAskedOnceThenServedFromTheCache)
{
    ASSERT_TRUE(standin::AddNamedPlugin(m_vis, "012_Fire.svp", "Fire Storm"));

    Lookup first = LookUp("012_Fire.svp");
    EXPECT_TRUE(first.found);
    EXPECT_EQ(first.name, "Fire Storm");
    EXPECT_EQ(Cached("Fire"), "Fire Storm");
    EXPECT_EQ(standin::LoadCount(m_vis, "012_Fire.svp"), 1);

    Lookup second = LookUp("012_Fire.svp");
    EXPECT_TRUE(second.found);
    EXPECT_EQ(second.name, "Fire Storm");
    EXPECT_EQ(standin::LoadCount(m_vis, "012_Fire.svp"), 1) << "a cached plug-in is not loaded";
}

TEST_F(DisplayNames, CachedNameSurvivesRenamesBetweenTagsAndStatesWithoutLoading)
{
    ASSERT_TRUE(standin::AddNamedPlugin(m_vis, "012_Fire.svp", "Fire Storm"));
    ASSERT_TRUE(LookUp("012_Fire.svp").found);
    std::string current = "012_Fire.svp";
    for (const std::string renamed : {"005_Fire.svp_disabled", "Fire.svp", "Fire.svp_disabled"}) {
        ASSERT_TRUE(::MoveFileA((m_vis + "\\" + current).c_str(), (m_vis + "\\" + renamed).c_str()));
        current = renamed;
        standin::WriteTextFile(standin::SideFile(m_vis, renamed, ".name"), "Renamed Fire");
        Lookup lookup = LookUp(renamed);
        EXPECT_TRUE(lookup.found) << renamed;
        EXPECT_EQ(lookup.name, "Fire Storm") << renamed;
        // The side files follow the renames: only the first lookup loaded it.
        EXPECT_EQ(standin::LoadCount(m_vis, renamed), 1) << renamed;
    }

    // A cached name stands even for a file that could not be loaded at all.
    ASSERT_TRUE(standin::AddNonLibrary(m_vis, "Ice.svp"));
    m_settings.WriteString(kCacheSection, "Ice", "Ice Age");
    Lookup ice = LookUp("Ice.svp");
    EXPECT_TRUE(ice.found);
    EXPECT_EQ(ice.name, "Ice Age");
}

TEST_F(DisplayNames, EmptyCachedValueCountsAsMissing)
{
    ASSERT_TRUE(standin::AddNamedPlugin(m_vis, "Fire.svp", "Fire Storm"));
    m_settings.WriteString(kCacheSection, "Fire", "");

    Lookup lookup = LookUp("Fire.svp");
    EXPECT_TRUE(lookup.found);
    EXPECT_EQ(lookup.name, "Fire Storm");
    EXPECT_EQ(standin::LoadCount(m_vis, "Fire.svp"), 1);
    EXPECT_EQ(Cached("Fire"), "Fire Storm");
}

TEST_F(DisplayNames, PluginsThatGiveNoNameFallBackToNamesGivenByHand)
{
    const struct {
        const char* file;
        Kind kind;
    } broken[] = {
        {"NullRecord.svp", Kind::NullRecord}, {"NoExport.svp", Kind::NoExport},
        {"FailInit.svp", Kind::FailInit},     {"CrashLoad.svp", Kind::CrashLoad},
        {"CrashQuery.svp", Kind::CrashQuery}, {"WildName.svp", Kind::WildName},
        {"NullName.svp", Kind::NullName},     {"NeedsLibrary.svp", Kind::NeedsLibrary},
    };
    for (const auto& plugin : broken)
        ASSERT_TRUE(standin::AddPlugin(m_vis, plugin.file, plugin.kind)) << plugin.file;
    ASSERT_TRUE(standin::AddNonLibrary(m_vis, "NotLibrary.svp"));
    // An empty name cannot tell the row apart: no better than none.
    ASSERT_TRUE(standin::AddNamedPlugin(m_vis, "Blank.svp", ""));
    // Held without sharing, as a running player may hold it.
    ASSERT_TRUE(standin::AddNamedPlugin(m_vis, "Held.svp", "Held"));
    HANDLE held = ::CreateFileA((m_vis + "\\Held.svp").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);

    const std::pair<std::string, PluginProblem> files[] = {
        {"NullRecord", PluginProblem::NoName},     {"NoExport", PluginProblem::NoEntryPoint},
        {"FailInit", PluginProblem::LoadFailed},   {"CrashLoad", PluginProblem::LoadFailed},
        {"CrashQuery", PluginProblem::Crashed},    {"WildName", PluginProblem::Crashed},
        {"NullName", PluginProblem::NoName},       {"NeedsLibrary", PluginProblem::MissingLibrary},
        {"NotLibrary", PluginProblem::NotProgram}, {"Blank", PluginProblem::NoName},
        {"Held", PluginProblem::Unreadable}};
    for (const auto& [key, problem] : files) {
        Lookup lookup = LookUp(key + ".svp");
        EXPECT_FALSE(lookup.found) << key;
        EXPECT_EQ(lookup.name, "") << key;
        EXPECT_EQ(lookup.why.problem, problem) << key;
    }
    EXPECT_EQ(LookUp("NeedsLibrary.svp").why.library, "ORBMISS71.DLL");

    EXPECT_EQ(SettingsText(), "") << "nothing is cached for a plug-in that gave no name";

    for (const auto& [key, problem] : files)
        m_settings.WriteString(kLockedSection, key, "Hand " + key);
    for (const auto& [key, problem] : files) {
        Lookup lookup = LookUp(key + ".svp");
        EXPECT_TRUE(lookup.found) << key;
        EXPECT_EQ(lookup.name, "Hand " + key);
        EXPECT_EQ(Cached(key), "") << key;
    }
    ::CloseHandle(held);
}

TEST_F(DisplayNames, OverlongNameIsCutToWhatTheSettingsCanHold)
{
    std::string longName = RepeatedDigits(10000);
    ASSERT_TRUE(standin::AddNamedPlugin(m_vis, "Long.svp", longName));

    Lookup asked = LookUp("Long.svp");
    EXPECT_TRUE(asked.found);
    EXPECT_EQ(asked.name, longName.substr(0, kMaxDisplayName));
    Lookup cached = LookUp("Long.svp");
    EXPECT_EQ(cached.name, asked.name);
    EXPECT_EQ(standin::LoadCount(m_vis, "Long.svp"), 1);
}

TEST_F(DisplayNames, KeyTheSettingsCannotHoldIsAskedEveryTimeAndNeverAliased)
{
    m_settings.WriteString(kCacheSection, "a", "Wrong A");
    m_settings.WriteString(kCacheSection, "Fire", "Wrong Fire");
    m_settings.WriteString(kLockedSection, "Fire", "Wrong Locked Fire");
    const std::string before = SettingsText();
    const struct {
        const char* file;
        const char* name;
    } plugins[] = {
        {"a=b.svp", "Equals"}, {" Fire.svp", "Leading Blank"}, {"Fire .svp", "Trailing Blank"},
        {";Fire.svp", "Semicolon"}, {"[Fire.svp", "Bracket"}, {"012_.svp", "Only A Tag"},
    };
    for (const auto& plugin : plugins)
        ASSERT_TRUE(standin::AddNamedPlugin(m_vis, plugin.file, plugin.name)) << plugin.file;

    for (int round = 1; round <= 2; ++round) {
        for (const auto& plugin : plugins) {
            Lookup lookup = LookUp(plugin.file);
            EXPECT_TRUE(lookup.found) << plugin.file;
            EXPECT_EQ(lookup.name, plugin.name) << plugin.file;
            EXPECT_EQ(standin::LoadCount(m_vis, plugin.file), round) << plugin.file;
        }
    }
    EXPECT_EQ(SettingsText(), before);

    // Without a storable key there is no name by hand either: the lookup fails.
    ASSERT_TRUE(standin::AddPlugin(m_vis, " Fire.svp_disabled", Kind::FailInit));
    Lookup failed = LookUp(" Fire.svp_disabled");
    EXPECT_FALSE(failed.found);
    EXPECT_EQ(failed.name, "");
}

TEST_F(DisplayNames, NameWithLineBreaksIsShownButNotCached)
{
    const std::string evil = "Evil\r\n[LockedVis]\r\nIce=Hacked";
    ASSERT_TRUE(standin::AddNamedPlugin(m_vis, "Evil.svp", evil));
    ASSERT_TRUE(standin::AddPlugin(m_vis, "Ice.svp", Kind::FailInit));

    Lookup lookup = LookUp("Evil.svp");
    EXPECT_TRUE(lookup.found);
    EXPECT_EQ(lookup.name, evil);
    EXPECT_EQ(SettingsText().find("Hacked"), std::string::npos);
    EXPECT_FALSE(LookUp("Ice.svp").found);
}

TEST_F(DisplayNames, StorableKeysReadBackExactlyThroughThePrivateProfileFunctions)
{
    const char* keys[] = {"Fire", "fire and ice", "a;b", "a[b]", "Fire]", "0123_Fire", "x\ty", "#hash"};
    for (const char* key : keys)
        ASSERT_TRUE(m_settings.WriteString(kCacheSection, key, std::string("value of ") + key));
    for (const char* key : keys)
        EXPECT_EQ(Cached(key), std::string("value of ") + key) << key;
}
