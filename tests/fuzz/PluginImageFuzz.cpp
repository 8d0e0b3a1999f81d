// libFuzzer target: the plug-in header reader on any bytes. Beside what the
// sanitizers catch: a file it takes as a library names only libraries it
// found whole in the file.
#include <cstdint>
#include <cstdlib>
#include <string>
#include "catalogue/PluginImage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string bytes(reinterpret_cast<const char*>(data), size);
    PluginImage image = ReadPluginImage(bytes);
    if (image.fault != ImageFault::None && !image.imports.empty() && image.fault != ImageFault::Damaged)
        std::abort();
    for (const std::string& library : image.imports)
        if (library.size() > 260 || bytes.find(library + '\0') == std::string::npos)
            std::abort();
    return 0;
}
