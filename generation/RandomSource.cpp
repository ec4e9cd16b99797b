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

}  // namespace zentavo
