#pragma once
// The text of a 256-entry calibration curve as the simulation files hold one: values
// from 0 to 1 separated by blanks, a different permutation for each seed.
#include <cstdio>
#include <string>

inline std::string CurveText(int seed)
{
    std::string text;
    for (int i = 0; i < 256; ++i) {
        char entry[32];
        std::snprintf(entry, sizeof entry, "%s%f", i == 0 ? "" : " ", (i * (997 + seed) % 256) / 255.0);
        text += entry;
    }
    return text;
}
