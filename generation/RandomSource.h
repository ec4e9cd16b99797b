#pragma once

#include <cstdint>

namespace zentavo {

// Linear congruential source shared by both generators; one seed always
// yields the same sequence.
class RandomSource {
public:
    // Each draw moves the seed to seed * Multiplier + Increment (mod 2^32).
    static constexpr uint32_t Multiplier = 134775813u;
    static constexpr uint32_t Increment = 1u;

    uint32_t RandomSeed = 0;

    void SeedFromClock();              // milliseconds since UTC midnight
    uint32_t RandomBelow(uint32_t n);  // 0 .. n-1, n >= 1
};

// Both generators try a problem position at most MaxRedraws + 1 times (1001)
// before settling for what they drew last.
inline constexpr int32_t MaxRedraws = 1000;

// Defined here so that the generators' draw loops can inline it.
inline uint32_t RandomSource::RandomBelow(uint32_t n)
{
    RandomSeed = RandomSeed * Multiplier + Increment;
    return static_cast<uint32_t>((static_cast<uint64_t>(RandomSeed) * n) >> 32);
}

}  // namespace zentavo
