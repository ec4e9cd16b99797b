#pragma once

#include <cstdint>

namespace zentavo {

// Linear congruential source shared by both generators; one seed always
// yields the same sequence.
class RandomSource {
public:
    uint32_t RandomSeed = 0;

    void SeedFromClock();              // milliseconds since UTC midnight
    uint32_t RandomBelow(uint32_t n);  // 0 .. n-1, n >= 1
};

// Defined here so that the generators' draw loops can inline it.
inline uint32_t RandomSource::RandomBelow(uint32_t n)
{
    RandomSeed = RandomSeed * 134775813u + 1u;
    return static_cast<uint32_t>((static_cast<uint64_t>(RandomSeed) * n) >> 32);
}

}  // namespace zentavo
