#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Windows bitmap (.bmp) files, read without GDI.

const std::size_t kDibFileHeaderSize = 14;  // BITMAPFILEHEADER
const std::size_t kDibInfoHeaderSize = 40;  // BITMAPINFOHEADER
const std::size_t kDibColorTableSize = 1024;  // room for 256 RGBQUADs

// What an image keeps of a bitmap file: the info header followed by room for
// 256 colours (always 1064 bytes), and the pixel data.
struct DibFileContents {
    std::vector<std::uint8_t> header;
    std::vector<std::uint8_t> bits;
};

// Bytes in one pixel row: bitCount bits per pixel, padded to 4 bytes.
std::uint64_t DibRowBytes(std::uint64_t width, unsigned bitCount);

// The file size that a file header announces (bfSize); 0 with fewer than
// kDibFileHeaderSize bytes.
std::uint32_t DibFileSizeField(const std::uint8_t* data, std::size_t size);

// Checks a bitmap file held in memory, from its file header on, and copies
// out its parts. Returns an empty string on success; otherwise the reason,
// leaving out unchanged. A file passes only if drawing it cannot read past
// its pixel data or its colour table: uncompressed rows must all be there,
// a compressed image must lie inside the pixel data, no more than 256
// colours may be declared, and the image must be stored bottom-up.
std::string ParseDibFile(const std::uint8_t* data, std::size_t size, DibFileContents& out);
