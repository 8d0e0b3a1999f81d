#pragma once
#include <string>

// The host's install folder from its settings key ("MelodriftPath").
// False when the key or the value cannot be read, or the value is empty.
bool ReadHostFolder(std::string& folder);

// "VisNumber", the host's number of its current visual; kNoVisual when the
// key or the value cannot be read, or the value is too long or no number.
int ReadVisNumber();
// Stores number as "VisNumber" (decimal text); false when that fails.
bool WriteVisNumber(int number);
