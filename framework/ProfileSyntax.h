#pragma once
#include <optional>
#include <string>
#include <string_view>
#include "framework/CodePageText.h"

// Settings (.ini) text as the system's private-profile functions treat it,
// apart from what they make of its lines: its blanks and quotes, and what
// its writer keeps of a file.

// The blanks the reader trims around names, keys and values: space, tab,
// VT, FF and ^Z.
bool IsProfileBlank(char c);
std::string_view TrimProfileBlanks(std::string_view text);

// What a read returns for a value as written: without the blanks around
// it, nor a matching pair of single or double quotes around what is left.
std::string ProfileValueAsRead(std::string_view value);

// Whether after, the file once the system's writer wrote value to key, can
// hold all of before, the file as it was; oldValue is the value the write
// replaced as a read answered it, none for a new entry. A writer may drop
// blanks and line breaks (Wine's rewrites every line without them, and no
// blank lines), but no other character save those of the old value: fewer
// of them mean a file cut short, or text of the user's lost.
bool HoldsProfileWrite(const std::string& before, const std::string& after, const std::string& key,
                       const std::optional<std::string>& oldValue, const std::string& value,
                       LeadByteRule isLead = SystemLeadByte);
