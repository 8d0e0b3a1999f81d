#include "host/HostNumbering.h"
#include <cstddef>
#include "catalogue/VisPlugin.h"

namespace {
bool WasLoaded(int index, const std::vector<unsigned char>& enabledAtLoad)
{
    return index >= 0 && static_cast<std::size_t>(index) < enabledAtLoad.size() &&
           enabledAtLoad[static_cast<std::size_t>(index)] == 1;
}
}

int HostNumberOfLoadIndex(int loadIndex, const std::vector<unsigned char>& enabledAtLoad)
{
    if (!WasLoaded(loadIndex, enabledAtLoad))
        return kNoVisual;
    int number = 0;
    for (int index = 0; index < loadIndex; ++index)
        number += WasLoaded(index, enabledAtLoad) ? 1 : 0;
    return number;
}

int LoadIndexOfHostNumber(int number, const std::vector<unsigned char>& enabledAtLoad)
{
    int seen = 0;
    for (int index = 0; static_cast<std::size_t>(index) < enabledAtLoad.size(); ++index) {
        if (!WasLoaded(index, enabledAtLoad))
            continue;
        if (seen == number)
            return index;
        ++seen;
    }
    return kNoVisual;
}

int HostNumberOfFile(const std::string& file, const std::vector<VisFolderEntry>& entries)
{
    int number = kBuiltinCount;
    for (const VisFolderEntry& entry : entries) {
        if (entry.file == file)
            return entry.enabled ? number : kNoVisual;
        number += entry.enabled ? 1 : 0;
    }
    return kNoVisual;
}
