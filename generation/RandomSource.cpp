#include "generation/RandomSource.h"

#include <chrono>

namespace zentavo {

void RandomSource::SeedFromClock()
{
    using namespace std::chrono;
    const auto now = system_clock::now();
    const auto sinceMidnight = now - floor<days>(now);
    RandomSeed = static_cast<uint32_t>(duration_cast<milliseconds>(sinceMidnight).count());
}

uint32_t RandomSource::RandomBelow(uint32_t n)
{
    RandomSeed = RandomSeed * 134775813u + 1u;
    return static_cast<uint32_t>((static_cast<uint64_t>(RandomSeed) * n) >> 32);
}

}  // namespace zentavo
