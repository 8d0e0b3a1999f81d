// libFuzzer target: the settings-file reader and writer on any text, with
// writes taken from the input too. Beside what the sanitizers catch: no
// answer is longer than a read returns, and the written text reads back
// exactly as the noted writes say.
// Input: the writes' keys and values first (each ended by a backslash and
// one more character), then the settings text; the last byte picks the
// section, the one before it the number of writes.
#include <fuzzer/FuzzedDataProvider.h>
#include <cstdlib>
#include <string>
#include <vector>
#include "catalogue/ProfileFormat.h"
#include "catalogue/ProfileText.h"

namespace {
const char* const kSections[] = {"VisCache", "LockedVis", " viscache ", ""};

void Require(bool holds)
{
    if (!holds)
        std::abort();
}
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    std::string section = kSections[input.ConsumeIntegralInRange<size_t>(0, std::size(kSections) - 1)];
    std::vector<ProfileString> writes(input.ConsumeIntegralInRange<size_t>(0, 4));
    for (ProfileString& write : writes) {
        write.key = input.ConsumeRandomLengthString(40);
        write.value = input.ConsumeRandomLengthString(80);
    }
    std::string text = input.ConsumeRemainingBytesAsString();

    ProfileSections sections = ReadProfileSections(text);
    for (const auto& [name, entries] : sections) {
        for (const auto& entry : entries)
            Require(ProfileAnswer(sections, name, entry.first).size() <= kMaxProfileString);
    }
    // What the index writes: it refuses what the file cannot hold.
    std::vector<ProfileString> held;
    for (const ProfileString& write : writes) {
        if (IsStorableProfileKey(write.key) && IsStorableProfileValue(write.value)) {
            held.push_back(write);
            NoteProfileWrite(sections, section, write);
        }
    }
    Require(ReadProfileSections(WriteProfileStrings(text, section, held)) == sections);
    return 0;
}
