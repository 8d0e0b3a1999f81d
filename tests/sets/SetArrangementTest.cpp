#include <gtest/gtest.h>
#include "catalogue/VisPlugin.h"
#include "sets/SetArrangement.h"
#include "tests/Cp932.h"

namespace {
// Four built-ins, then plug-ins a to e, all on; row 5 (b) current. The
// list's keys are lower-case, as the records hold them.
ListState FiveInstalled(int current = 5)
{
    ListState list{{"", "", "", ""}, {true, true, true, true}, current};
    for (const char* key : {"a", "b", "c", "d", "e"}) {
        list.keys.push_back(key);
        list.enabled.push_back(true);
    }
    return list;
}
}

TEST(ArrangeBySet, NamedTakeTheSetsOrderAndStatesUnnamedFollowSwitchedOff)
{
    Arrangement result = ArrangeBySet(FiveInstalled(kNoVisual), {{true, "d", ""}, {false, "b", ""}, {true, "A", ""}}, "");
    EXPECT_EQ(result.order, (std::vector<int>{0, 1, 2, 3, 7, 5, 4, 6, 8}));
    EXPECT_EQ(result.enabled, (std::vector<bool>{true, true, true, true, true, false, true, false, false}));
    EXPECT_EQ(result.current, kNoVisual);
    EXPECT_TRUE(result.missing.empty());
}

TEST(ArrangeBySet, MissingPluginsAreListedByDisplayNameOrKeyOnce)
{
    Arrangement result =
        ArrangeBySet(FiveInstalled(kNoVisual),
                     {{true, "gone", "Gone 1.0"}, {true, "e", ""}, {false, "lost", ""}, {true, "GONE", "Again"}}, "");
    EXPECT_EQ(result.missing, (std::vector<std::string>{"Gone 1.0", "lost"}));
    EXPECT_EQ(result.order, (std::vector<int>{0, 1, 2, 3, 8, 4, 5, 6, 7}));
}

// The set's current plug-in when it is installed and on; otherwise the list's
// current row keeps its mark where it went, switched on.
TEST(ArrangeBySet, CurrentFollowsTheSetOnlyWhenInstalledAndOn)
{
    struct Case {
        std::string currentKey;
        std::vector<ArrangedEntry> entries;
        int current;
        bool currentOn;
    } cases[] = {
        {"C", {{true, "a", ""}, {true, "c", ""}}, 5, true},
        {"c", {{true, "a", ""}, {false, "c", ""}}, 6, true},   // off: b keeps the mark, unnamed yet on
        {"x", {{true, "x", ""}, {false, "b", ""}}, 4, true},   // not installed: b, named off, stays on
        {"", {{true, "e", ""}}, 6, true},
    };
    for (const Case& c : cases) {
        Arrangement result = ArrangeBySet(FiveInstalled(), c.entries, c.currentKey);
        EXPECT_EQ(result.current, c.current) << c.currentKey;
        EXPECT_EQ(result.enabled.at(static_cast<size_t>(c.current)), c.currentOn) << c.currentKey;
    }
    EXPECT_EQ(ArrangeBySet(FiveInstalled(kNoVisual), {{false, "a", ""}}, "a").current, kNoVisual);
}

// A hand-edited set naming a plug-in twice: its first line counts. Two
// installed files with one key: the set's line takes the first.
TEST(ArrangeBySet, DuplicateKeysFirstWins)
{
    Arrangement result = ArrangeBySet(FiveInstalled(kNoVisual), {{false, "c", ""}, {true, "a", ""}, {true, "C", ""}}, "c");
    EXPECT_EQ(result.order, (std::vector<int>{0, 1, 2, 3, 6, 4, 5, 7, 8}));
    EXPECT_FALSE(result.enabled[4]);
    EXPECT_EQ(result.current, kNoVisual);

    ListState twice = FiveInstalled(kNoVisual);
    twice.keys[7] = "a";
    result = ArrangeBySet(twice, {{true, "e", ""}, {true, "a", ""}}, "");
    EXPECT_EQ(result.order, (std::vector<int>{0, 1, 2, 3, 8, 4, 5, 6, 7}));
    EXPECT_EQ(result.enabled, (std::vector<bool>{true, true, true, true, true, true, false, false, false}));
}

TEST(ArrangeBySet, MatchesKeysAMultiByteCharacterAtATime)
{
    ListState list = FiveInstalled(kNoVisual);
    const std::string listed = cp932::kA + "x";  // ア: "A" as its second byte must not be lower-cased
    list.keys[4] = listed;
    Arrangement result = ArrangeBySet(list, {{true, cp932::kA + "X", ""}, {true, "\x83\x61x", ""}}, "", Cp932LeadByte);
    EXPECT_EQ(result.order[4], 4);
    EXPECT_EQ(result.missing, (std::vector<std::string>{"\x83\x61x"}));
}
