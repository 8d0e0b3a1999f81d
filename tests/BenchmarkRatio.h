#pragma once
#include <cstdio>

// A benchmark's result: one line per ratio, which tools/bench.sh gathers
// from every benchmark by the words "goal at most".
inline void PrintRatio(const char* what, double ratio, double goal)
{
    std::printf("%-48s %6.2f   goal at most %.2f: %s\n", what, ratio, goal, ratio <= goal ? "met" : "MISSED");
    std::fflush(stdout);
}
