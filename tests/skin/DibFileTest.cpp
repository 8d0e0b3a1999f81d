#include <gtest/gtest.h>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>
#include "skin/DibFile.h"

namespace {
using Bytes = std::vector<std::uint8_t>;

void PutWord(Bytes& file, std::size_t at, std::uint32_t value)
{
    file[at] = static_cast<std::uint8_t>(value & 0xFF);
    file[at + 1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
}

void PutDword(Bytes& file, std::size_t at, std::uint32_t value)
{
    PutWord(file, at, value & 0xFFFF);
    PutWord(file, at + 2, value >> 16);
}

std::uint32_t GetDword(const Bytes& file, std::size_t at)
{
    return file[at] | (file[at + 1] << 8) | (file[at + 2] << 16) | (static_cast<std::uint32_t>(file[at + 3]) << 24);
}

// Offsets of the fields in a file (file header, then info header at 14).
enum : std::size_t {
    kSize = 2,
    kOffBits = 10,
    kInfoSize = 14,
    kWidth = 18,
    kHeight = 22,
    kPlanes = 26,
    kBitCount = 28,
    kCompression = 30,
    kSizeImage = 34,
    kClrUsed = 46,
};

// A well-formed bottom-up bitmap file; pixel bytes count up from 1.
Bytes MakeBitmapFile(int width, int height, unsigned bitCount, std::uint32_t colors)
{
    std::size_t offBits = 54 + 4 * colors;
    std::size_t pixelBytes = static_cast<std::size_t>(DibRowBytes(width, bitCount)) * height;
    Bytes file(offBits + pixelBytes, 0);
    file[0] = 'B';
    file[1] = 'M';
    PutDword(file, kSize, static_cast<std::uint32_t>(file.size()));
    PutDword(file, kOffBits, static_cast<std::uint32_t>(offBits));
    PutDword(file, kInfoSize, 40);
    PutDword(file, kWidth, width);
    PutDword(file, kHeight, height);
    PutWord(file, kPlanes, 1);
    PutWord(file, kBitCount, bitCount);
    PutDword(file, kClrUsed, colors);
    for (std::uint32_t i = 0; i < colors; ++i)
        file[54 + 4 * i] = static_cast<std::uint8_t>(i);
    for (std::size_t i = 0; i < pixelBytes; ++i)
        file[offBits + i] = static_cast<std::uint8_t>(i + 1);
    return file;
}

std::string Parse(const Bytes& file, DibFileContents& out)
{
    return ParseDibFile(file.data(), file.size(), out);
}

std::string Parse(const Bytes& file)
{
    DibFileContents out;
    return Parse(file, out);
}

Bytes ReadBackground()
{
    std::ifstream in(ORBIQUEL_SOURCE_DIR "/res/background.bmp", std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
}

TEST(DibFile, RowsArePaddedToFourBytes)
{
    EXPECT_EQ(DibRowBytes(217, 8), 220u);
    EXPECT_EQ(DibRowBytes(1, 1), 4u);
    EXPECT_EQ(DibRowBytes(33, 1), 8u);
    EXPECT_EQ(DibRowBytes(3, 24), 12u);
    EXPECT_EQ(DibRowBytes(0x7FFFFFFF, 32), 0x1FFFFFFFCull);
}

TEST(DibFile, TheSkinBackgroundParsesWithFullRowsAndARoomyHeader)
{
    Bytes file = ReadBackground();
    ASSERT_EQ(file.size(), 84018u);
    DibFileContents out;
    ASSERT_EQ(Parse(file, out), "");
    ASSERT_EQ(out.header.size(), 1064u);
    EXPECT_EQ(GetDword(out.header, 4), 217u);
    EXPECT_EQ(GetDword(out.header, 8), 377u);
    EXPECT_EQ(out.bits.size(), 220u * 377u);
    EXPECT_TRUE(std::equal(out.header.begin() + 40, out.header.end(), file.begin() + 54));
    EXPECT_TRUE(std::equal(out.bits.begin(), out.bits.end(), file.begin() + 1078));
    EXPECT_EQ(DibFileSizeField(file.data(), file.size()), 84018u);
}

TEST(DibFile, EveryTruncationOfAValidFileFails)
{
    Bytes file = ReadBackground();
    ASSERT_EQ(Parse(file), "");
    DibFileContents out;
    for (std::size_t length = 0; length < file.size(); ++length)
        ASSERT_NE(ParseDibFile(file.data(), length, out), "") << length;
    EXPECT_TRUE(out.header.empty());
    EXPECT_TRUE(out.bits.empty());
}

TEST(DibFile, SmallTrueColourFileGetsAZeroFilledColourTable)
{
    Bytes file = MakeBitmapFile(2, 2, 24, 0);
    DibFileContents out;
    ASSERT_EQ(Parse(file, out), "");
    EXPECT_EQ(out.header.size(), 1064u);
    EXPECT_EQ(out.bits.size(), 16u);
    // The table part holds the 16 pixel bytes, then zeros.
    EXPECT_EQ(out.header[40], 1);
    EXPECT_EQ(out.header[55], 16);
    EXPECT_EQ(out.header[56], 0);
    EXPECT_EQ(out.header[1063], 0);
}

TEST(DibFile, WrongSignatureAndOtherHeaderVersionsAreRejected)
{
    Bytes file = MakeBitmapFile(4, 4, 8, 256);
    file[0] = 'M';
    file[1] = 'B';
    EXPECT_EQ(Parse(file), "Error:Unexpected file type, not a DIB\n");

    for (std::uint32_t infoSize : {12u, 108u, 124u, 0u}) {
        Bytes other = MakeBitmapFile(4, 4, 8, 256);
        PutDword(other, kInfoSize, infoSize);
        EXPECT_EQ(Parse(other), "Error:OS2 PM BMP Format not supported\n") << infoSize;
    }
    Bytes os2(26, 0);
    os2[0] = 'B';
    os2[1] = 'M';
    PutDword(os2, kInfoSize, 12);
    EXPECT_EQ(Parse(os2), "Error:OS2 PM BMP Format not supported\n");
}

TEST(DibFile, PixelDataMustLieBehindTheHeadersAndInsideTheFile)
{
    Bytes file = MakeBitmapFile(4, 4, 8, 256);
    std::uint32_t offBits = GetDword(file, kOffBits);

    Bytes empty = file;
    PutDword(empty, kSize, offBits);
    EXPECT_EQ(Parse(empty), "Error:No pixel data\n");
    Bytes backwards = file;
    PutDword(backwards, kSize, offBits - 1);
    EXPECT_EQ(Parse(backwards), "Error:No pixel data\n");
    Bytes overlapping = file;
    PutDword(overlapping, kOffBits, 53);
    EXPECT_EQ(Parse(overlapping), "Error:No pixel data\n");
    Bytes beyondEnd = file;
    PutDword(beyondEnd, kSize, static_cast<std::uint32_t>(file.size() + 1));
    EXPECT_EQ(Parse(beyondEnd), "Error:File truncated\n");
    Bytes huge = file;
    PutDword(huge, kSize, 0xFFFFFFFF);
    EXPECT_EQ(Parse(huge), "Error:File truncated\n");
}

TEST(DibFile, PixelDataShorterThanTheRowsFails)
{
    Bytes file = MakeBitmapFile(4, 4, 8, 256);
    // One byte short of four rows of four.
    PutDword(file, kSize, GetDword(file, kSize) - 1);
    EXPECT_EQ(Parse(file), "Error:Pixel data shorter than the image\n");

    for (std::uint32_t width : {5u, 0x10000u, 0x7FFFFFFFu}) {
        Bytes wide = MakeBitmapFile(4, 4, 8, 256);
        PutDword(wide, kWidth, width);
        EXPECT_EQ(Parse(wide), "Error:Pixel data shorter than the image\n") << width;
    }
    Bytes tall = MakeBitmapFile(4, 4, 32, 0);
    PutDword(tall, kHeight, 0x7FFFFFFF);
    EXPECT_EQ(Parse(tall), "Error:Pixel data shorter than the image\n");
}

TEST(DibFile, CompressedImagesMustDeclareASizeInsideThePixelData)
{
    Bytes file = MakeBitmapFile(4, 4, 8, 256);
    PutDword(file, kCompression, 1);  // RLE8
    EXPECT_EQ(Parse(file), "Error:Pixel data shorter than the image\n");
    PutDword(file, kSizeImage, 17);
    EXPECT_EQ(Parse(file), "Error:Pixel data shorter than the image\n");
    PutDword(file, kSizeImage, 16);
    EXPECT_EQ(Parse(file), "");
    PutWord(file, kBitCount, 4);  // RLE8 needs 8 bits per pixel
    EXPECT_EQ(Parse(file), "Error:Pixel format not supported\n");
}

TEST(DibFile, OddShapesAndFormatsAreRejected)
{
    struct Case {
        std::size_t field;
        std::uint32_t value;
        bool wordField;
        const char* reason;
    };
    const Case cases[] = {
        {kWidth, 0, false, "Error:Image dimensions not supported\n"},
        {kWidth, 0xFFFFFFFF, false, "Error:Image dimensions not supported\n"},
        {kHeight, 0, false, "Error:Image dimensions not supported\n"},
        {kHeight, 0xFFFFFFFC, false, "Error:Image dimensions not supported\n"},  // top-down
        {kPlanes, 2, true, "Error:Image dimensions not supported\n"},
        {kBitCount, 0, true, "Error:Pixel format not supported\n"},
        {kBitCount, 7, true, "Error:Pixel format not supported\n"},
        {kCompression, 3, false, "Error:Pixel format not supported\n"},  // bit fields at 8 bits
        {kCompression, 4, false, "Error:Pixel format not supported\n"},  // JPEG
        {kClrUsed, 257, false, "Error:Colour table too large\n"},
        {kClrUsed, 0xFFFFFFFF, false, "Error:Colour table too large\n"},
    };
    for (const Case& c : cases) {
        Bytes file = MakeBitmapFile(4, 4, 8, 256);
        if (c.wordField)
            PutWord(file, c.field, c.value);
        else
            PutDword(file, c.field, c.value);
        EXPECT_EQ(Parse(file), c.reason) << c.field << " = " << c.value;
    }
}

TEST(DibFile, AcceptedFilesNeverPromiseMoreThanTheyHold)
{
    // Random damage to the headers of small valid files: whatever passes must
    // have every pixel row and a colour table inside the header block.
    std::uint32_t seed = 12345;
    auto next = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return seed >> 16;
    };
    int accepted = 0;
    for (int round = 0; round < 20000; ++round) {
        unsigned depths[] = {1, 4, 8, 24, 32};
        unsigned bitCount = depths[next() % 5];
        Bytes file = MakeBitmapFile(1 + next() % 9, 1 + next() % 9, bitCount, bitCount <= 8 ? 1u << bitCount : 0);
        for (int hits = 1 + next() % 3; hits > 0; --hits)
            file[next() % 54] = static_cast<std::uint8_t>(next());
        DibFileContents out;
        if (!Parse(file, out).empty())
            continue;
        ++accepted;
        ASSERT_EQ(out.header.size(), 1064u);
        std::int32_t width = static_cast<std::int32_t>(GetDword(out.header, 4));
        std::int32_t height = static_cast<std::int32_t>(GetDword(out.header, 8));
        unsigned bits = out.header[14] | (out.header[15] << 8);
        std::uint32_t compression = GetDword(out.header, 16);
        ASSERT_GT(width, 0);
        ASSERT_GT(height, 0);
        ASSERT_LE(GetDword(out.header, 32), 256u);
        std::uint64_t needed = compression == 1 || compression == 2
                                   ? GetDword(out.header, 20)
                                   : DibRowBytes(static_cast<std::uint64_t>(width), bits) * height;
        ASSERT_LE(needed, out.bits.size());
    }
    EXPECT_GT(accepted, 1000);
}
