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

}  // namespace zentavo
