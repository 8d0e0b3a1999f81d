#pragma once
#include <string>
#include <string_view>

// Settings (.ini) text as the system's private-profile functions treat it,
// apart from what they make of its lines: its blanks and quotes.

// The blanks the reader trims around names, keys and values: space, tab,
// VT, FF and ^Z.
bool IsProfileBlank(char c);
std::string_view TrimProfileBlanks(std::string_view text);

// What a read returns for a value as written: without the blanks around
// it, nor a matching pair of single or double quotes around what is left.
std::string ProfileValueAsRead(std::string_view value);
