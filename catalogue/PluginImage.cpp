#include "catalogue/PluginImage.h"
#include <cstdint>

namespace {
constexpr size_t kDosHeaderSize = 0x40;
constexpr size_t kNewHeaderOffsetField = 0x3C;
constexpr size_t kFileHeaderSize = 20;
constexpr unsigned kLibraryFlag = 0x2000;  // IMAGE_FILE_DLL
constexpr unsigned kOptionalMagic32 = 0x10B;
constexpr size_t kDirectoriesOffset = 96;  // in a 32-bit optional header
constexpr size_t kImportDirectory = 1;
constexpr size_t kSectionSize = 40;
constexpr size_t kImportDescriptorSize = 20;
// More than any real library has: a table that long is damage, not imports.
constexpr size_t kMostImports = 4096;
constexpr size_t kLongestLibraryName = 260;

// The file's bytes, read only where they are.
class Bytes {
public:
    explicit Bytes(std::string_view bytes) : m_bytes(bytes) {}

    bool Has(size_t offset, size_t count) const { return offset <= m_bytes.size() && count <= m_bytes.size() - offset; }

    bool Read16(size_t offset, unsigned& value) const
    {
        if (!Has(offset, 2))
            return false;
        value = Byte(offset) | Byte(offset + 1) << 8;
        return true;
    }

    bool Read32(size_t offset, uint32_t& value) const
    {
        if (!Has(offset, 4))
            return false;
        value = static_cast<uint32_t>(Byte(offset)) | static_cast<uint32_t>(Byte(offset + 1)) << 8 |
                static_cast<uint32_t>(Byte(offset + 2)) << 16 | static_cast<uint32_t>(Byte(offset + 3)) << 24;
        return true;
    }

    // A NUL-terminated text of at most longest characters at offset.
    bool ReadText(size_t offset, size_t longest, std::string& text) const
    {
        for (size_t length = 0; length <= longest && Has(offset + length, 1); ++length) {
            if (m_bytes[offset + length] == '\0') {
                text = std::string(m_bytes.substr(offset, length));
                return true;
            }
        }
        return false;
    }

private:
    unsigned Byte(size_t offset) const { return static_cast<unsigned char>(m_bytes[offset]); }

    std::string_view m_bytes;
};

struct Section {
    uint32_t address;
    uint32_t size;
    uint32_t fileOffset;
};

// Where in the file the loaded image's address rva lies.
bool FileOffsetOf(const std::vector<Section>& sections, uint32_t rva, size_t& offset)
{
    for (const Section& section : sections) {
        if (rva >= section.address && rva - section.address < section.size) {
            offset = static_cast<size_t>(section.fileOffset) + (rva - section.address);
            return true;
        }
    }
    return false;
}

// A section whose data lies past the end of the file is a file cut short:
// the loader would refuse it too.
bool ReadSections(const Bytes& file, size_t fileSize, size_t at, unsigned count, std::vector<Section>& sections)
{
    for (unsigned index = 0; index < count; ++index, at += kSectionSize) {
        uint32_t virtualSize = 0, address = 0, rawSize = 0, fileOffset = 0;
        if (!file.Read32(at + 8, virtualSize) || !file.Read32(at + 12, address) || !file.Read32(at + 16, rawSize) ||
            !file.Read32(at + 20, fileOffset))
            return false;
        if (rawSize != 0 && (fileOffset > fileSize || rawSize > fileSize - fileOffset))
            return false;
        // Only what the file holds can be read.
        sections.push_back({address, virtualSize < rawSize && virtualSize ? virtualSize : rawSize, fileOffset});
    }
    return true;
}

bool ReadImports(const Bytes& file, const std::vector<Section>& sections, uint32_t tableRva,
                 std::vector<std::string>& imports)
{
    size_t table = 0;
    if (!FileOffsetOf(sections, tableRva, table))
        return false;
    for (size_t index = 0; index < kMostImports; ++index) {
        size_t descriptor = table + index * kImportDescriptorSize;
        uint32_t nameRva = 0, firstThunk = 0;
        if (!file.Read32(descriptor + 12, nameRva) || !file.Read32(descriptor + 16, firstThunk))
            return false;
        if (nameRva == 0 && firstThunk == 0)
            return true;
        size_t name = 0;
        std::string library;
        if (!FileOffsetOf(sections, nameRva, name) || !file.ReadText(name, kLongestLibraryName, library))
            return false;
        imports.push_back(library);
    }
    return false;
}

// What the headers say, with the sections and where the import table lies
// (0: none) for a reader of the whole file.
struct Headers {
    std::vector<Section> sections;
    uint32_t importRva = 0;
};

// The optional header and the section table after it.
ImageFault ReadOptionalHeader(const Bytes& file, size_t fileSize, size_t header, Headers& headers)
{
    unsigned sectionCount = 0, optionalSize = 0, magic = 0;
    uint32_t directoryCount = 0, importRva = 0;
    size_t optional = header + 4 + kFileHeaderSize;
    if (!file.Read16(header + 6, sectionCount) || !file.Read16(header + 20, optionalSize) ||
        optionalSize < kDirectoriesOffset + (kImportDirectory + 1) * 8 || !file.Has(optional, optionalSize) ||
        !file.Read16(optional, magic) || magic != kOptionalMagic32 ||
        !file.Read32(optional + kDirectoriesOffset - 4, directoryCount) ||
        !file.Read32(optional + kDirectoriesOffset + kImportDirectory * 8, importRva) ||
        !ReadSections(file, fileSize, optional + optionalSize, sectionCount, headers.sections))
        return ImageFault::Damaged;
    headers.importRva = directoryCount > kImportDirectory ? importRva : 0;
    return ImageFault::None;
}

ImageFault ReadHeaders(std::string_view bytes, size_t fileSize, PluginImage& image, Headers& headers)
{
    Bytes file(bytes);
    if (bytes.substr(0, 2) != "MZ")
        return ImageFault::NotProgram;
    uint32_t header = 0;
    unsigned characteristics = 0;
    if (bytes.size() < kDosHeaderSize || !file.Read32(kNewHeaderOffsetField, header) ||
        !file.Has(header, 4 + kFileHeaderSize) || bytes.substr(header, 4) != std::string_view("PE\0\0", 4) ||
        !file.Read16(header + 4, image.machine) || !file.Read16(header + 22, characteristics))
        return ImageFault::Damaged;
    if (image.machine != kMachineI386)
        return ImageFault::OtherMachine;
    if (!(characteristics & kLibraryFlag))
        return ImageFault::NotLibrary;
    return ReadOptionalHeader(file, fileSize, header, headers);
}
}

PluginImage ReadPluginHeaders(std::string_view start, size_t fileSize)
{
    PluginImage image;
    Headers headers;
    image.fault = ReadHeaders(start, fileSize, image, headers);
    return image;
}

PluginImage ReadPluginImage(std::string_view bytes)
{
    PluginImage image;
    Headers headers;
    image.fault = ReadHeaders(bytes, bytes.size(), image, headers);
    if (image.fault == ImageFault::None && headers.importRva != 0 &&
        !ReadImports(Bytes(bytes), headers.sections, headers.importRva, image.imports))
        image.fault = ImageFault::Damaged;
    return image;
}
