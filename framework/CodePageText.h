#pragma once
#include <string>

// Text in the system's 8-bit code page. On Japanese, Chinese and Korean
// Windows a lead byte and the byte after it form one character, and that
// second byte can be "\" (0x5C, as in the second half of 表) or a letter
// (ア is 0x83 0x41): paths and names are searched, cut and lower-cased a
// character at a time, never a byte at a time.

// Which bytes begin a two-byte character.
using LeadByteRule = bool (*)(unsigned char byte);

// The system code page's rule (IsDBCSLeadByte); without Windows, none.
bool SystemLeadByte(unsigned char byte);

// Where the character after the one that starts at 'at' starts; never past the end.
size_t NextChar(const std::string& text, size_t at, LeadByteRule isLead = SystemLeadByte);

// The first and the last character of text that is one of the single-byte
// characters in chars; npos when there is none.
size_t FindFirstChar(const std::string& text, const char* chars, LeadByteRule isLead = SystemLeadByte);
size_t FindLastChar(const std::string& text, const char* chars, LeadByteRule isLead = SystemLeadByte);

// The first place at or after 'from' where needle begins on a character of its own.
size_t FindSubstring(const std::string& text, const std::string& needle, size_t from = 0,
                     LeadByteRule isLead = SystemLeadByte);

// True when text ends in suffix and the suffix begins on a character of its own.
bool EndsWithText(const std::string& text, const std::string& suffix, LeadByteRule isLead = SystemLeadByte);

// True when the last character of path is a backslash or a slash.
bool EndsInSeparator(const std::string& path, LeadByteRule isLead = SystemLeadByte);

// The letters A to Z lower-cased, as the C library does in its own locale;
// two-byte characters stay as they are.
std::string LowerCase(std::string text, LeadByteRule isLead = SystemLeadByte);

// Windows hands back "?" for each character of a file name that the code page
// cannot hold, and "?" is never part of a real file name: such a name opens
// nothing, or worse, a file with a look-alike name.
bool HoldsUnmappedChar(const std::string& name);

// How a file name goes from UTF-16 into a code page with WideCharToMultiByte:
// its flags and its default character (null: none may be given).
struct NameConversion {
    unsigned long flags;
    const char* defaultChar;
};

constexpr unsigned kUtf8CodePage = 65001;          // CP_UTF8, and the system's code page where Windows is set to UTF-8
constexpr unsigned long kNoBestFitChars = 0x400;   // WC_NO_BEST_FIT_CHARS
constexpr unsigned long kErrInvalidChars = 0x80;   // WC_ERR_INVALID_CHARS

// In a code page that cannot hold every character, a name is taken without
// look-alikes and with "?" for what is missing. UTF-8 holds every name, and
// Windows refuses both there; a name that is not proper UTF-16 (half a
// surrogate pair) fails as a whole instead of turning into another name.
NameConversion NameConversionFor(unsigned codePage);
