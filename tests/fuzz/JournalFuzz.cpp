// libFuzzer target: the Save journal's reader on any text. Beside what the
// sanitizers catch: a journal it takes holds only names that stay in the Vis
// folder, and writing it again gives a text it reads back the same.
#include <cstdint>
#include <cstdlib>
#include <string>
#include "host/SaveJournal.h"

namespace {
const char kVisFolder[] = "C:\\Melodrift\\Vis\\";

void Require(bool holds)
{
    if (!holds)
        std::abort();
}

// Japanese Windows' lead bytes, so that two-byte names are read too.
bool Cp932LeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string text(reinterpret_cast<const char*>(data), size);
    for (LeadByteRule isLead : {SystemLeadByte, Cp932LeadByte}) {
        SaveJournal journal;
        if (ParseJournal(text, kVisFolder, journal, isLead) != JournalFault::None)
            continue;
        for (const JournalRename& rename : journal.renames)
            Require(IsSafeJournalName(rename.from, isLead) && IsSafeJournalName(rename.to, isLead));
        SaveJournal again;
        Require(ParseJournal(FormatJournal(journal), kVisFolder, again, isLead) == JournalFault::None);
        Require(again.renames == journal.renames && again.state == journal.state &&
                again.visNumberBefore == journal.visNumberBefore && again.visNumberAfter == journal.visNumberAfter);
    }
    return 0;
}
