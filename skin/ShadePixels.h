#pragma once
#include <cstddef>
#include <cstdint>

// One 8-bit channel raised (or, darkening, lowered) by level, clamped to 0..255.
std::uint8_t ShadeChannel(std::uint8_t value, std::uint8_t level, bool darken);

// One 5-5-5 pixel word: each channel is widened to 8 bits (low three bits
// zero), shaded, and narrowed again; the top bit of the result is 0.
std::uint16_t ShadeWord555(std::uint16_t word, std::uint8_t level, bool darken);

// Shades the raw rows of a captured bitmap as GetDIBits delivers them. At 24
// and 32 bits per pixel every byte is a channel (the fourth byte and the row
// padding are shaded alike, which nobody sees); at 16 bits the buffer holds
// little-endian 5-5-5 words. Other depths hold palette indexes, which have no
// brightness to shift, and are left alone: returns false for them.
bool ShadePixels(std::uint8_t* data, std::size_t size, int bitCount, std::uint8_t level, bool darken);
