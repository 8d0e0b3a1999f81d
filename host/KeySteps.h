#pragma once
#include <vector>
#include "catalogue/VisPlugin.h"

// The key presses that step the running host from one visual to another.
// The host cycles through the visuals it loaded, skipping those that were
// disabled then, so one press is due for every position enabled at load from
// start up to (not including) target going forward, or from start down to
// (not including) target going backward.
struct KeySteps {
    bool forward = true;
    int presses = 0;
};

// Load positions. With no visual current (start kNoVisual) the count
// starts from position 0 going forward. Positions outside enabledAtLoad were not loaded and need no press.
KeySteps PlanKeySteps(int target, int start, const std::vector<unsigned char>& enabledAtLoad);
