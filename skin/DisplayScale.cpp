#include "skin/DisplayScale.h"
#include <algorithm>

namespace {
// Beyond this a set made for a smaller scale would be scaled up visibly.
constexpr int kUpscalePercent = 3;
// Template 102 is laid out for 120 dpi, 145 for 96.
constexpr int kLargestTemplateDpi = 120;

// Which source pixels a result pixel covers along one axis, and how much of
// each: in units where a source pixel is `to` long and a result pixel `from`.
struct Share {
    int source;
    int weight;
};

std::vector<std::vector<Share>> AxisShares(int from, int to)
{
    std::vector<std::vector<Share>> shares(static_cast<size_t>(to));
    for (int j = 0; j < to; ++j) {
        long long start = static_cast<long long>(j) * from;
        long long end = start + from;
        for (long long i = start / to; i * to < end; ++i) {
            long long overlap = std::min(end, (i + 1) * to) - std::max(start, i * to);
            shares[static_cast<size_t>(j)].push_back({static_cast<int>(i), static_cast<int>(overlap)});
        }
    }
    return shares;
}

std::uint32_t Channel(std::uint32_t pixel, int shift)
{
    return pixel >> shift & 0xFF;
}
}

int ArtSetFor(int dpi)
{
    return dpi * 100 <= kBaseDpi * (100 + kUpscalePercent) ? 1 : 2;
}

int ScaleToDpi(int length, int dpi)
{
    return (length * dpi * 2 + kBaseDpi) / (kBaseDpi * 2);
}

int ControlArtDpi(int dpi)
{
    return dpi <= kLargestTemplateDpi ? kBaseDpi : dpi;
}

int ArtControlLeft(int templateLeft, int width, int clientWidth)
{
    return templateLeft + width <= clientWidth ? templateLeft : (clientWidth - width) / 2;
}

int OutlineBandWidth(int dpi)
{
    return std::max(1, ScaleToDpi(1, dpi));
}

Pixels AreaAverage(const Pixels& source, int width, int height)
{
    Pixels result;
    if (source.width <= 0 || source.height <= 0 || width <= 0 || height <= 0)
        return result;
    auto columns = AxisShares(source.width, width);
    auto rows = AxisShares(source.height, height);
    // Each axis's weights add up to the source's length along it.
    unsigned long long whole = static_cast<unsigned long long>(source.width) * static_cast<unsigned long long>(source.height);
    result.width = width;
    result.height = height;
    result.data.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            unsigned long long sums[3] = {0, 0, 0};
            for (const Share& row : rows[static_cast<size_t>(y)]) {
                const std::uint32_t* line = &source.data[static_cast<size_t>(row.source) * static_cast<size_t>(source.width)];
                for (const Share& column : columns[static_cast<size_t>(x)]) {
                    std::uint32_t pixel = line[column.source];
                    unsigned long long weight = static_cast<unsigned long long>(row.weight) * static_cast<unsigned long long>(column.weight);
                    for (int c = 0; c < 3; ++c)
                        sums[c] += Channel(pixel, 8 * c) * weight;
                }
            }
            std::uint32_t mean = 0;
            for (int c = 0; c < 3; ++c)
                mean |= static_cast<std::uint32_t>((sums[c] + whole / 2) / whole) << (8 * c);
            result.data[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] = mean;
        }
    }
    return result;
}

Pixels AreaAverageKeyed(const Pixels& source, int width, int height, std::uint32_t key, std::uint32_t ground)
{
    Pixels colours = source;
    Pixels keyed = source;
    for (size_t i = 0; i < source.data.size(); ++i) {
        bool isKey = source.data[i] == key;
        colours.data[i] = isKey ? ground : source.data[i];
        keyed.data[i] = isKey ? 0xFFFFFF : 0;
    }
    Pixels result = AreaAverage(colours, width, height);
    Pixels coverage = AreaAverage(keyed, width, height);
    for (size_t i = 0; i < result.data.size(); ++i) {
        if ((coverage.data[i] & 0xFF) >= 0x80)
            result.data[i] = key;
    }
    return result;
}
