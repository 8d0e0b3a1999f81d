#pragma once
#include <windows.h>
#include <string>

// A string of the program's string table; empty when it has none.
std::string LoadResString(UINT id);

// The string-table text id with every "%1" replaced by argument.
std::string FormatResString1(UINT id, const std::string& argument);
