#pragma once
#include <string>
#include <string_view>
#include <vector>

// What the headers of a plug-in file say about whether Melodrift, a 32-bit
// program, can load it: read from the file's bytes before anything loads
// it, with every size and offset checked against the file. A section whose
// data runs past the end of the file is damage.
enum class ImageFault {
    None,
    NotProgram,    // no "MZ" header: not a Windows program file
    Damaged,       // headers that point outside the file, or cut short
    OtherMachine,  // built for another processor
    NotLibrary     // a program, not a library
};

constexpr unsigned kMachineI386 = 0x014C;
constexpr unsigned kMachineAmd64 = 0x8664;
constexpr unsigned kMachineArm64 = 0xAA64;

struct PluginImage {
    ImageFault fault = ImageFault::NotProgram;
    unsigned machine = 0;
    // The libraries its import table names, in its order.
    std::vector<std::string> imports;
};

// The whole file: its headers and the libraries it imports.
PluginImage ReadPluginImage(std::string_view bytes);
// The headers alone, from the first bytes of a file of fileSize bytes: every
// fault but a damaged import table, and no imports. A header past start
// reads as Damaged, so a caller that read less than the whole file reads
// it all before it believes that.
PluginImage ReadPluginHeaders(std::string_view start, size_t fileSize);
