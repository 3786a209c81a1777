#pragma once
// Draws from the round's generator. The generator's sequence is fixed by the standard,
// so a seed replays its round on any build of the same program.
#include <cstdint>
#include <random>

inline int32_t Draw(std::mt19937_64& random, int32_t low, int32_t high)
{
    return low + static_cast<int32_t>(random() % static_cast<uint64_t>(high - low + 1));
}

inline double DrawReal(std::mt19937_64& random, double low, double high)
{
    return low + (high - low) * static_cast<double>(random() >> 11) / static_cast<double>(uint64_t{1} << 53);
}

// True with probability percent / 100.
inline bool Chance(std::mt19937_64& random, int32_t percent) { return Draw(random, 0, 99) < percent; }
