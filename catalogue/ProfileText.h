#pragma once
#include <string>

// The private-profile format trims blanks around keys, reads "[" lines as
// section headers and ends a key at the first "="; a key it cannot hold would
// read back another entry or break the file. A ";" line answers a read of its
// key, but the system lists no key for it and people read it as a comment:
// such a key is not stored either.
bool IsStorableProfileKey(const std::string& key);

// A value with a line break would spill into lines of its own.
bool IsStorableProfileValue(const std::string& value);
