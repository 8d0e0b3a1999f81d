#include "framework/CodePageText.h"
#include <cstring>
#ifdef _WIN32
#include <windows.h>
#endif

namespace {
// chars are ASCII and no lead byte is: a match at a character's start is
// that character.
bool IsOneOf(char c, const char* chars)
{
    return c != '\0' && std::strchr(chars, c) != nullptr;
}
}

bool SystemLeadByte(unsigned char byte)
{
#ifdef _WIN32
    return ::IsDBCSLeadByte(byte) != FALSE;
#else
    (void)byte;
    return false;
#endif
}

size_t NextChar(const std::string& text, size_t at, LeadByteRule isLead)
{
    if (at >= text.size())
        return text.size();
    // No code page of Windows leads a character with an ASCII byte, and
    // asking the system of every byte costs more than the rest of a scan.
    unsigned char byte = static_cast<unsigned char>(text[at]);
    size_t next = at + (byte >= 0x80 && isLead(byte) ? 2 : 1);
    return next < text.size() ? next : text.size();
}

size_t FindFirstChar(const std::string& text, const char* chars, LeadByteRule isLead)
{
    for (size_t at = 0; at < text.size(); at = NextChar(text, at, isLead))
        if (IsOneOf(text[at], chars))
            return at;
    return std::string::npos;
}

size_t FindLastChar(const std::string& text, const char* chars, LeadByteRule isLead)
{
    size_t found = std::string::npos;
    for (size_t at = 0; at < text.size(); at = NextChar(text, at, isLead))
        if (IsOneOf(text[at], chars))
            found = at;
    return found;
}

size_t FindSubstring(const std::string& text, const std::string& needle, size_t from, LeadByteRule isLead)
{
    for (size_t at = 0; at < text.size(); at = NextChar(text, at, isLead))
        if (at >= from && text.compare(at, needle.size(), needle) == 0)
            return at;
    return std::string::npos;
}

bool EndsWithText(const std::string& text, const std::string& suffix, LeadByteRule isLead)
{
    if (suffix.empty() || suffix.size() > text.size())
        return suffix.empty();
    size_t start = text.size() - suffix.size();
    return FindSubstring(text, suffix, start, isLead) == start;
}

bool EndsInSeparator(const std::string& path, LeadByteRule isLead)
{
    return !path.empty() && FindLastChar(path, "\\/", isLead) == path.size() - 1;
}

std::string LowerCase(std::string text, LeadByteRule isLead)
{
    // A byte at a time, stepping over the second byte of a character: a set
    // of thousands of keys is lower-cased each time it is applied.
    for (size_t at = 0; at < text.size(); ++at) {
        unsigned char byte = static_cast<unsigned char>(text[at]);
        if (byte >= 'A' && byte <= 'Z')
            text[at] = static_cast<char>(byte - 'A' + 'a');
        else if (byte >= 0x80 && isLead(byte))
            ++at;
    }
    return text;
}

// "?" (0x3F) is below every trail byte, so a byte search is enough.
bool HoldsUnmappedChar(const std::string& name)
{
    return name.find('?') != std::string::npos;
}

NameConversion NameConversionFor(unsigned codePage)
{
    if (codePage == kUtf8CodePage)
        return {kErrInvalidChars, nullptr};
    return {kNoBestFitChars, "?"};
}
