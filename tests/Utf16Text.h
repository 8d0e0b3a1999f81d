#pragma once
#include <string>
#include <utility>

// Settings files that the system reads as UTF-16, by their byte-order mark.

// ASCII text as UTF-16 units, little-endian.
inline std::string Utf16Units(const std::string& ascii)
{
    std::string units;
    for (char c : ascii)
        units += std::string{c, '\0'};
    return units;
}

// A file's text: the byte-order mark, then the units, given little-endian, in either order.
inline std::string Utf16File(const std::string& littleEndianUnits, bool bigEndian = false)
{
    std::string text = "\xFF\xFE" + littleEndianUnits;
    if (bigEndian) {
        for (size_t at = 0; at + 1 < text.size(); at += 2)
            std::swap(text[at], text[at + 1]);
    }
    return text;
}
