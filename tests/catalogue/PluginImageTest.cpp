#include <gtest/gtest.h>
#include <cstdint>
#include "catalogue/PluginImage.h"

namespace {
void Put16(std::string& bytes, size_t at, unsigned value)
{
    bytes[at] = static_cast<char>(value & 0xFF);
    bytes[at + 1] = static_cast<char>(value >> 8 & 0xFF);
}

void Put32(std::string& bytes, size_t at, uint32_t value)
{
    for (int byte = 0; byte < 4; ++byte)
        bytes[at + static_cast<size_t>(byte)] = static_cast<char>(value >> (8 * byte) & 0xFF);
}

constexpr uint32_t kSectionAddress = 0x1000;
constexpr size_t kSectionFile = 0x200;

// A program file as a linker makes one: DOS header, PE headers, one
// section at file offset 0x200 holding the import table and the names of
// the libraries, the file ending with the last name.
std::string Image(unsigned machine, bool library, const std::vector<std::string>& imports)
{
    std::string bytes(kSectionFile, '\0');
    bytes[0] = 'M';
    bytes[1] = 'Z';
    Put32(bytes, 0x3C, 0x40);
    bytes.replace(0x40, 4, std::string("PE\0\0", 4));
    Put16(bytes, 0x44, machine);
    Put16(bytes, 0x46, 1);                      // sections
    Put16(bytes, 0x54, 0xE0);                   // optional header size
    Put16(bytes, 0x56, library ? 0x2102 : 0x0102);
    Put16(bytes, 0x58, 0x10B);                  // 32-bit optional header
    Put32(bytes, 0x58 + 92, 16);                // data directories
    Put32(bytes, 0x58 + 104, imports.empty() ? 0 : kSectionAddress);
    size_t section = 0x58 + 0xE0;
    bytes.replace(section, 6, ".idata");
    std::string data((imports.size() + 1) * 20, '\0');
    for (size_t index = 0; index < imports.size(); ++index) {
        Put32(data, index * 20 + 12, kSectionAddress + static_cast<uint32_t>(data.size()));
        Put32(data, index * 20 + 16, kSectionAddress);
        data += imports[index] + '\0';
    }
    Put32(bytes, section + 8, static_cast<uint32_t>(data.size()));
    Put32(bytes, section + 12, kSectionAddress);
    Put32(bytes, section + 16, static_cast<uint32_t>(data.size()));
    Put32(bytes, section + 20, kSectionFile);
    return bytes + data;
}
}

TEST(PluginImage, ReadsTheMachineTheKindAndTheLibrariesItImports)
{
    PluginImage plugin = ReadPluginImage(Image(kMachineI386, true, {"KERNEL32.dll", "MSVCR71.DLL"}));
    EXPECT_EQ(plugin.fault, ImageFault::None);
    EXPECT_EQ(plugin.imports, (std::vector<std::string>{"KERNEL32.dll", "MSVCR71.DLL"}));
    EXPECT_EQ(ReadPluginImage(Image(kMachineI386, true, {})).fault, ImageFault::None);

    for (unsigned machine : {kMachineAmd64, kMachineArm64}) {
        PluginImage foreign = ReadPluginImage(Image(machine, true, {"KERNEL32.dll"}));
        EXPECT_EQ(foreign.fault, ImageFault::OtherMachine);
        EXPECT_EQ(foreign.machine, machine);
    }
    EXPECT_EQ(ReadPluginImage(Image(kMachineI386, false, {})).fault, ImageFault::NotLibrary) << "an .exe renamed";
    EXPECT_EQ(ReadPluginImage("PK\x03\x04 a zip file").fault, ImageFault::NotProgram);
    EXPECT_EQ(ReadPluginImage("").fault, ImageFault::NotProgram);
}

TEST(PluginImage, EveryCutAndEveryOffsetOutsideTheFileIsDamage)
{
    std::string whole = Image(kMachineI386, true, {"KERNEL32.dll", "MSVCR71.DLL"});
    for (size_t cut = 2; cut < whole.size(); ++cut)
        ASSERT_EQ(ReadPluginImage(whole.substr(0, cut)).fault, ImageFault::Damaged) << "cut at " << cut;

    std::string header = whole;
    Put32(header, 0x3C, 0xFFFFFFF0);
    EXPECT_EQ(ReadPluginImage(header).fault, ImageFault::Damaged);
    std::string table = whole;
    Put32(table, 0x58 + 104, 0x7FFFFFF0);
    EXPECT_EQ(ReadPluginImage(table).fault, ImageFault::Damaged);
    std::string section = whole;
    Put32(section, 0x58 + 0xE0 + 20, 0xFFFFFF00);
    EXPECT_EQ(ReadPluginImage(section).fault, ImageFault::Damaged) << "a section's data past the end";
    std::string name = whole;
    Put32(name, kSectionFile + 12, 0x0FFFFFFF);
    EXPECT_EQ(ReadPluginImage(name).fault, ImageFault::Damaged);
}

TEST(PluginImage, HeadersReadFromTheFirstBytesAloneTellEveryFaultButTheImportTable)
{
    std::string whole = Image(kMachineI386, true, {"KERNEL32.dll"});
    std::string headers = whole.substr(0, kSectionFile);
    PluginImage start = ReadPluginHeaders(headers, whole.size());
    EXPECT_EQ(start.fault, ImageFault::None);
    EXPECT_TRUE(start.imports.empty());
    EXPECT_EQ(ReadPluginHeaders(headers, kSectionFile).fault, ImageFault::Damaged) << "the section's data cut off";
    EXPECT_EQ(ReadPluginHeaders(whole.substr(0, 0x80), whole.size()).fault, ImageFault::Damaged)
        << "the optional header past the bytes read";
    EXPECT_EQ(ReadPluginHeaders(Image(kMachineAmd64, true, {}).substr(0, 0x60), whole.size()).fault,
              ImageFault::OtherMachine);

    std::string brokenTable = whole;
    Put32(brokenTable, 0x58 + 104, 0x7FFFFFF0);
    EXPECT_EQ(ReadPluginHeaders(brokenTable, brokenTable.size()).fault, ImageFault::None);
    EXPECT_EQ(ReadPluginImage(brokenTable).fault, ImageFault::Damaged);
}

// The reader's inner limits, each at its first and last valid value and one past.
TEST(PluginImage, InnerLimitsHoldAtTheirFirstAndLastValidValueAndFailOnePast)
{
    constexpr size_t kOptionalAt = 0x58, kOptionalSizeAt = 0x54, kDirectoryCountAt = 0x58 + 92;
    std::string bare = Image(kMachineI386, true, {});
    // No section table, which would have to fit after the optional header too.
    auto withOptionalSize = [&](size_t size) {
        std::string bytes = bare;
        Put16(bytes, 0x46, 0);
        Put16(bytes, kOptionalSizeAt, static_cast<unsigned>(size));
        return bytes;
    };
    auto withDirectories = [](uint32_t count) {
        std::string bytes = Image(kMachineI386, true, {"KERNEL32.dll"});
        Put32(bytes, kDirectoryCountAt, count);
        return bytes;
    };
    const size_t smallestOptional = 96 + 2 * 8;  // up to the import directory
    const size_t largestOptional = bare.size() - kOptionalAt;
    std::vector<std::string> most(4095, "a.dll");
    std::vector<std::string> tooMany(4096, "a.dll");
    struct Case {
        const char* limit;
        std::string bytes;
        ImageFault fault;
        size_t imports;
    } cases[] = {
        {"name of 0 characters", Image(kMachineI386, true, {""}), ImageFault::None, 1},
        {"name of 260 characters", Image(kMachineI386, true, {std::string(260, 'n')}), ImageFault::None, 1},
        {"name of 261 characters", Image(kMachineI386, true, {std::string(261, 'n')}), ImageFault::Damaged, 0},
        {"no directories", withDirectories(0), ImageFault::None, 0},
        {"no import directory", withDirectories(1), ImageFault::None, 0},
        {"the import directory", withDirectories(2), ImageFault::None, 1},
        {"every directory count", withDirectories(0xFFFFFFFF), ImageFault::None, 1},
        {"optional header one short", withOptionalSize(smallestOptional - 1), ImageFault::Damaged, 0},
        {"smallest optional header", withOptionalSize(smallestOptional), ImageFault::None, 0},
        {"optional header up to the end", withOptionalSize(largestOptional), ImageFault::None, 0},
        {"optional header past the end", withOptionalSize(largestOptional + 1), ImageFault::Damaged, 0},
        {"4095 descriptors", Image(kMachineI386, true, most), ImageFault::None, 4095},
        {"4096 descriptors", Image(kMachineI386, true, tooMany), ImageFault::Damaged, 0},
    };
    for (const Case& test : cases) {
        PluginImage image = ReadPluginImage(test.bytes);
        EXPECT_EQ(image.fault, test.fault) << test.limit;
        if (test.fault == ImageFault::None) {
            EXPECT_EQ(image.imports.size(), test.imports) << test.limit;
        }
    }
}
