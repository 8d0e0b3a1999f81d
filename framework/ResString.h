#pragma once
#include <windows.h>
#include <string>
#include <vector>

// A string of the program's string table; empty when it has none.
std::string LoadResString(UINT id);

// The string-table text id with every "%1" replaced by argument.
std::string FormatResString1(UINT id, const std::string& argument);

// lines, one a line, at most most of them; then the string-table text
// moreId ("and %d more") with the number of the others.
std::string ListLines(const std::vector<std::string>& lines, size_t most, UINT moreId);
