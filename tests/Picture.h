#pragma once
// Screenshots as pixels, for end-to-end tests that check what the user sees.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include "testing/harness/ChildProcess.h"
#include "testing/harness/HarnessPaths.h"

namespace e2e {

// An image file as 8-bit RGB pixels, read through ImageMagick.
class Picture {
public:
    explicit Picture(const std::string& file)
    {
        std::string size;
        std::string raw = OutputDir() + "/picture.rgb";
        if (RunCommand({"identify", "-format", "%w %h\n", file}, {}, 30000, &size) != 0 ||
            std::sscanf(size.c_str(), "%d %d", &width, &height) != 2 ||
            RunCommand({"convert", file, "-depth", "8", "rgb:" + raw}, {}, 30000) != 0)
            throw std::runtime_error("unreadable picture " + file);
        std::ifstream in(raw, std::ios::binary);
        rgb.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        std::filesystem::remove(raw);
        if (rgb.size() != static_cast<size_t>(width) * static_cast<size_t>(height) * 3)
            throw std::runtime_error("short picture " + file);
    }

    // 0xRRGGBB; black outside the picture.
    unsigned Pixel(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= width || y >= height)
            return 0;
        size_t at = (static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 3;
        auto byte = [this](size_t i) { return static_cast<unsigned>(static_cast<unsigned char>(rgb[i])); };
        return byte(at) << 16 | byte(at + 1) << 8 | byte(at + 2);
    }

    int width = 0;
    int height = 0;

private:
    std::string rgb;
};

}
