// libFuzzer target: the set reader on any bytes. Beside what the sanitizers
// catch: a set it takes, written again, reads back the same, and that text
// is the one its own reading writes (the writer drops nothing it took).
#include <cstdint>
#include <cstdlib>
#include <string>
#include "sets/SetFormat.h"

namespace {
void Require(bool holds)
{
    if (!holds)
        std::abort();
}
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string text(reinterpret_cast<const char*>(data), size);
    PluginSet set;
    if (ReadSet(text, set).fault != SetFault::None)
        return 0;
    std::string written = WriteSet(set);
    PluginSet again;
    Require(ReadSet(written, again).fault == SetFault::None);
    Require(again == set);
    Require(WriteSet(again) == written);
    return 0;
}
