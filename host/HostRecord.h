#pragma once
#include <cstddef>
#include <string>
#include "catalogue/VisPlugin.h"

// The host's current visual name from its shared state record: the text at
// its offset up to the terminator or the record's end, whichever comes first.
std::string VisNameFromRecord(const char* record, unsigned long recordSize);

// The longest "VisNumber" text read; a longer one counts as unreadable.
constexpr size_t kVisNumberMaxLength = 4;

// "VisNumber" as the host stores it: leading decimal digits. kNoVisual when the
// text is longer than kVisNumberMaxLength or does not start with a digit
// (a value nobody can read as a position).
int ParseVisNumber(const std::string& text);
