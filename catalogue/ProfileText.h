#pragma once
#include <string>

// The private-profile format trims blanks around keys, reads ";" lines as
// comments and "[" lines as section headers, and ends a key at the first "=";
// a key it cannot hold would read back another entry or break the file.
bool IsStorableProfileKey(const std::string& key);

// A value with a line break would spill into lines of its own.
bool IsStorableProfileValue(const std::string& value);
