#include "framework/ProfileSyntax.h"

namespace {
// A byte of a value as read stands for at most four of the file: a UTF-8
// or UTF-16 character that the code page lacks reads as a single "?".
constexpr size_t kMostFileBytesPerReadByte = 4;

enum class Units { Bytes, Utf16LittleEndian, Utf16BigEndian };

// How the reader takes a file's text: by its byte-order mark.
Units UnitsOf(const std::string& text)
{
    if (text.compare(0, 2, "\xFF\xFE") == 0)
        return Units::Utf16LittleEndian;
    return text.compare(0, 2, "\xFE\xFF") == 0 ? Units::Utf16BigEndian : Units::Bytes;
}

bool IsBlankOrBreak(unsigned unit)
{
    return unit == '\r' || unit == '\n' || (unit < 0x80 && IsProfileBlank(static_cast<char>(unit)));
}

// The bytes of a file's text that are neither blanks nor line breaks. A
// trailing byte of a two-byte character is never one of those.
size_t InkOf(std::string_view text, Units units)
{
    size_t step = units == Units::Bytes ? 1 : 2;
    size_t ink = 0;
    for (size_t at = 0; at + step <= text.size(); at += step) {
        unsigned first = static_cast<unsigned char>(text[at]);
        unsigned unit = first;
        if (step == 2) {
            unsigned second = static_cast<unsigned char>(text[at + 1]);
            unit = units == Units::Utf16LittleEndian ? first | second << 8 : first << 8 | second;
        }
        if (!IsBlankOrBreak(unit))
            ink += step;
    }
    return ink;
}

// The same of text in the code page once written to a file of units: in
// UTF-16, a unit for each character.
size_t InkOfCodePageText(const std::string& text, Units units, LeadByteRule isLead)
{
    if (units == Units::Bytes)
        return InkOf(text, units);
    size_t ink = 0;
    for (size_t at = 0; at < text.size(); at = NextChar(text, at, isLead)) {
        if (!IsBlankOrBreak(static_cast<unsigned char>(text[at])))
            ink += 2;
    }
    return ink;
}
}

bool IsProfileBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1a';
}

std::string_view TrimProfileBlanks(std::string_view text)
{
    size_t begin = 0;
    while (begin < text.size() && IsProfileBlank(text[begin]))
        ++begin;
    size_t end = text.size();
    while (end > begin && IsProfileBlank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

std::string ProfileValueAsRead(std::string_view value)
{
    value = TrimProfileBlanks(value);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

bool HoldsProfileWrite(const std::string& before, const std::string& after, const std::string& key,
                       const std::optional<std::string>& oldValue, const std::string& value, LeadByteRule isLead)
{
    Units units = UnitsOf(before);
    std::string entry = oldValue ? value : key + "=" + value;
    // The old value as written may have had quotes around it.
    size_t dropped = oldValue ? kMostFileBytesPerReadByte * (oldValue->size() + 2) : 0;
    return InkOf(after, UnitsOf(after)) + dropped >= InkOf(before, units) + InkOfCodePageText(entry, units, isLead);
}
