#include "host/KeySteps.h"
#include <cstddef>

KeySteps PlanKeySteps(int target, int start, const std::vector<unsigned char>& enabledAtLoad)
{
    KeySteps steps;
    if (start == kNoVisual)
        start = 0;
    steps.forward = start < target;
    int step = steps.forward ? 1 : -1;
    for (int pos = start; pos != target; pos += step) {
        bool loaded = pos >= 0 && static_cast<std::size_t>(pos) < enabledAtLoad.size();
        if (loaded && enabledAtLoad[static_cast<std::size_t>(pos)] == 1)
            ++steps.presses;
    }
    return steps;
}
