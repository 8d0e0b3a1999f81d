#include "skin/ShadePixels.h"

std::uint8_t ShadeChannel(std::uint8_t value, std::uint8_t level, bool darken)
{
    int shaded = darken ? value - level : value + level;
    if (shaded < 0)
        return 0;
    return static_cast<std::uint8_t>(shaded > 255 ? 255 : shaded);
}

std::uint16_t ShadeWord555(std::uint16_t word, std::uint8_t level, bool darken)
{
    unsigned red = ShadeChannel(static_cast<std::uint8_t>((word >> 7) & 0xF8), level, darken);
    unsigned green = ShadeChannel(static_cast<std::uint8_t>((word >> 2) & 0xF8), level, darken);
    unsigned blue = ShadeChannel(static_cast<std::uint8_t>((word << 3) & 0xF8), level, darken);
    return static_cast<std::uint16_t>(((red & 0xF8) << 7) | ((green & 0xF8) << 2) | (blue >> 3));
}

bool ShadePixels(std::uint8_t* data, std::size_t size, int bitCount, std::uint8_t level, bool darken)
{
    if (bitCount >= 24) {
        for (std::size_t i = 0; i < size; ++i)
            data[i] = ShadeChannel(data[i], level, darken);
        return true;
    }
    if (bitCount == 16) {
        for (std::size_t i = 0; i + 1 < size; i += 2) {
            auto word = static_cast<std::uint16_t>(data[i] | (data[i + 1] << 8));
            word = ShadeWord555(word, level, darken);
            data[i] = static_cast<std::uint8_t>(word & 0xFF);
            data[i + 1] = static_cast<std::uint8_t>(word >> 8);
        }
        return true;
    }
    return false;
}
