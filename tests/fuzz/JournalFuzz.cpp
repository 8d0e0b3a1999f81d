// libFuzzer target: the Save journal's reader on any text. Beside what the
// sanitizers catch: a journal it takes holds only names that are safe by a
// definition of its own here, written byte by byte without the reader's
// helpers, and writing it again gives a text it reads back the same.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>
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

bool NoLeadByte(unsigned char)
{
    return false;
}

// The name's parts between backslashes; a backslash that is a character's
// second byte does not part it.
std::vector<std::string> Parts(const std::string& name, LeadByteRule isLead)
{
    std::vector<std::string> parts(1);
    for (size_t at = 0; at < name.size(); ++at) {
        unsigned char byte = static_cast<unsigned char>(name[at]);
        if (isLead(byte) && at + 1 < name.size()) {
            parts.back() += name.substr(at, 2);
            ++at;
        } else if (byte == '\\') {
            parts.emplace_back();
        } else {
            parts.back() += name[at];
        }
    }
    return parts;
}

// What Windows would open as a device: the part up to its first dot, blanks
// at its end dropped, is one of the device names in any case.
bool IsDevice(const std::string& part)
{
    std::string base = part.substr(0, part.find('.'));
    while (!base.empty() && base.back() == ' ')
        base.pop_back();
    for (char& c : base)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    static const char* const devices[] = {"con", "prn", "aux", "nul", "conin$", "conout$"};
    for (const char* device : devices)
        if (base == device)
            return true;
    return base.size() == 4 && (base.compare(0, 3, "com") == 0 || base.compare(0, 3, "lpt") == 0) &&
           base[3] >= '0' && base[3] <= '9';
}

// One or two parts, none empty, "." or "..", none with a control byte or a
// byte that names a drive, a stream or a wildcard outside two-byte characters,
// none a device.
bool IsSafeName(const std::string& name, LeadByteRule isLead)
{
    std::vector<std::string> parts = Parts(name, isLead);
    if (parts.size() > 2)
        return false;
    for (const std::string& part : parts) {
        if (part.empty() || part == "." || part == ".." || IsDevice(part))
            return false;
        for (size_t at = 0; at < part.size(); ++at) {
            unsigned char byte = static_cast<unsigned char>(part[at]);
            if (isLead(byte) && at + 1 < part.size())
                ++at;
            else if (byte < 0x20 || std::strchr(":/*?\"<>|", byte))
                return false;
        }
    }
    return true;
}
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string text(reinterpret_cast<const char*>(data), size);
    for (LeadByteRule isLead : {NoLeadByte, Cp932LeadByte}) {
        SaveJournal journal;
        if (ParseJournal(text, kVisFolder, journal, isLead) != JournalFault::None)
            continue;
        for (const JournalRename& rename : journal.renames)
            Require(IsSafeName(rename.from, isLead) && IsSafeName(rename.to, isLead));
        SaveJournal again;
        Require(ParseJournal(FormatJournal(journal), kVisFolder, again, isLead) == JournalFault::None);
        Require(again.renames == journal.renames && again.state == journal.state &&
                again.visNumberBefore == journal.visNumberBefore && again.visNumberAfter == journal.visNumberAfter &&
                again.currentRow == journal.currentRow && again.currentFile == journal.currentFile);
    }
    return 0;
}
