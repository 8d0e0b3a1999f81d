#pragma once
#include <string>

// Names go between the system's code page and a set file's UTF-8 through
// their wide form, so that a set kept on a Japanese Windows reads with its
// names intact on a Western one, as far as its code page holds them.

std::string CodePageToUtf8(const std::string& text);

// A character the code page cannot hold becomes "?", never a look-alike.
std::string Utf8ToCodePage(const std::string& utf8);
