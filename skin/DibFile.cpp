#include "skin/DibFile.h"
#include <algorithm>

namespace {
const std::uint16_t kBitmapSignature = 0x4D42;  // "BM"
const std::uint32_t kRgb = 0;
const std::uint32_t kRle8 = 1;
const std::uint32_t kRle4 = 2;
const std::uint32_t kBitfields = 3;
const std::uint32_t kMaxColors = 256;

std::uint16_t Word(const std::uint8_t* at)
{
    return static_cast<std::uint16_t>(at[0] | (at[1] << 8));
}

std::uint32_t Dword(const std::uint8_t* at)
{
    return static_cast<std::uint32_t>(at[0]) | (static_cast<std::uint32_t>(at[1]) << 8) |
           (static_cast<std::uint32_t>(at[2]) << 16) | (static_cast<std::uint32_t>(at[3]) << 24);
}

// The fields of the info header that decide whether the file can be drawn.
struct InfoHeader {
    std::int32_t width;
    std::int32_t height;
    std::uint16_t planes;
    std::uint16_t bitCount;
    std::uint32_t compression;
    std::uint32_t sizeImage;
    std::uint32_t clrUsed;
};

InfoHeader ReadInfoHeader(const std::uint8_t* at)
{
    return {static_cast<std::int32_t>(Dword(at + 4)), static_cast<std::int32_t>(Dword(at + 8)), Word(at + 12),
            Word(at + 14), Dword(at + 16), Dword(at + 20), Dword(at + 32)};
}

bool IsKnownDepth(unsigned bitCount)
{
    return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 || bitCount == 32;
}

bool CompressionFitsDepth(const InfoHeader& info)
{
    switch (info.compression) {
    case kRgb:
        return true;
    case kRle8:
        return info.bitCount == 8;
    case kRle4:
        return info.bitCount == 4;
    case kBitfields:
        return info.bitCount == 16 || info.bitCount == 32;
    }
    return false;
}

// The bytes that drawing the image reads from its pixel data.
std::uint64_t PixelBytesNeeded(const InfoHeader& info)
{
    if (info.compression == kRle8 || info.compression == kRle4)
        return info.sizeImage;
    return DibRowBytes(static_cast<std::uint32_t>(info.width), info.bitCount) *
           static_cast<std::uint32_t>(info.height);
}

std::string CheckImage(const InfoHeader& info, std::uint32_t pixelBytes)
{
    if (info.width <= 0 || info.height <= 0 || info.planes != 1)
        return "Error:Image dimensions not supported\n";
    if (!IsKnownDepth(info.bitCount) || !CompressionFitsDepth(info))
        return "Error:Pixel format not supported\n";
    if (info.clrUsed > kMaxColors)
        return "Error:Colour table too large\n";
    std::uint64_t needed = PixelBytesNeeded(info);
    if (needed == 0 || needed > pixelBytes)
        return "Error:Pixel data shorter than the image\n";
    return {};
}
}

std::uint64_t DibRowBytes(std::uint64_t width, unsigned bitCount)
{
    return (width * bitCount + 31) / 32 * 4;
}

std::uint32_t DibFileSizeField(const std::uint8_t* data, std::size_t size)
{
    return size < kDibFileHeaderSize ? 0 : Dword(data + 2);
}

std::string ParseDibFile(const std::uint8_t* data, std::size_t size, DibFileContents& out)
{
    const std::string truncated = "Error:File truncated\n";
    if (size < kDibFileHeaderSize)
        return truncated;
    if (Word(data) != kBitmapSignature)
        return "Error:Unexpected file type, not a DIB\n";
    const std::uint8_t* info = data + kDibFileHeaderSize;
    if (size < kDibFileHeaderSize + 4)
        return truncated;
    if (Dword(info) != kDibInfoHeaderSize)
        return "Error:OS2 PM BMP Format not supported\n";
    const std::size_t headersEnd = kDibFileHeaderSize + kDibInfoHeaderSize;
    if (size < headersEnd)
        return truncated;

    std::uint32_t fileSize = Dword(data + 2);
    std::uint32_t offBits = Dword(data + 10);
    if (offBits < headersEnd || fileSize <= offBits)
        return "Error:No pixel data\n";
    if (fileSize > size)
        return truncated;
    std::string problem = CheckImage(ReadInfoHeader(info), fileSize - offBits);
    if (!problem.empty())
        return problem;

    // The colour table is taken as the 1024 bytes after the info header,
    // whatever the real colour count; a shorter file leaves zeros.
    out.header.assign(kDibInfoHeaderSize + kDibColorTableSize, 0);
    std::copy(info, info + kDibInfoHeaderSize, out.header.begin());
    std::size_t tableBytes = std::min(kDibColorTableSize, size - headersEnd);
    std::copy(data + headersEnd, data + headersEnd + tableBytes, out.header.begin() + kDibInfoHeaderSize);
    out.bits.assign(data + offBits, data + fileSize);
    return {};
}
