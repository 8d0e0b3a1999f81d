// libFuzzer target: the bitmap reader on any bytes. Beside what the
// sanitizers catch, a bitmap it accepts must be one that drawing cannot read
// past: all the pixel data that the header announces is there.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include "skin/DibFile.h"

namespace {
std::uint32_t Field(const std::vector<std::uint8_t>& header, std::size_t at, std::size_t width)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < width; ++i)
        value |= static_cast<std::uint32_t>(header[at + i]) << (8 * i);
    return value;
}

void Require(bool holds)
{
    if (!holds)
        std::abort();
}
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    DibFileContents contents;
    if (!ParseDibFile(data, size, contents).empty())
        return 0;
    Require(contents.header.size() == kDibInfoHeaderSize + kDibColorTableSize);
    Require(contents.bits.size() <= size);
    auto width = static_cast<std::int32_t>(Field(contents.header, 4, 4));
    auto height = static_cast<std::int32_t>(Field(contents.header, 8, 4));
    std::uint32_t bitCount = Field(contents.header, 14, 2);
    std::uint32_t compression = Field(contents.header, 16, 4);
    std::uint32_t sizeImage = Field(contents.header, 20, 4);
    Require(width > 0 && height > 0 && Field(contents.header, 32, 4) <= 256);
    bool runLength = compression == 1 || compression == 2;
    std::uint64_t needed = runLength ? sizeImage : DibRowBytes(static_cast<std::uint32_t>(width), bitCount) *
                                                       static_cast<std::uint32_t>(height);
    Require(needed > 0 && needed <= contents.bits.size());
    return 0;
}
