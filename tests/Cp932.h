#pragma once
#include <string>

// Code page 932 (Japanese Windows) for the native tests of the character-wise
// text functions: its lead bytes, and characters whose second byte is a
// separator, a letter or an underscore.
inline bool Cp932LeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

namespace cp932 {
const std::string kHyou = "\x95\x5C";  // 表, "\" second
const std::string kSo = "\x83\x5C";    // ソ, "\" second
const std::string kA = "\x83\x41";     // ア, "A" second
const std::string kDa = "\x83\x5F";    // ダ, "_" second
}
