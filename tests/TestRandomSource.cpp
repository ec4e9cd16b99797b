#include "generation/RandomSource.h"

#include <gtest/gtest.h>

#include <vector>

namespace zentavo {
namespace {

TEST(RandomSource, KnownSequenceFromSeedZero)
{
    RandomSource random;
    std::vector<uint32_t> drawn;
    for (int i = 0; i < 6; ++i)
        drawn.push_back(random.RandomBelow(100));
    EXPECT_EQ(drawn, (std::vector<uint32_t>{0, 3, 86, 20, 27, 67}));
}

TEST(RandomSource, BelowOneIsZeroAndStillAdvances)
{
    RandomSource random;
    random.RandomSeed = 77;
    EXPECT_EQ(random.RandomBelow(1), 0u);
    EXPECT_EQ(random.RandomSeed, 77u * 134775813u + 1u);
}

TEST(RandomSource, StaysBelowTheLimitAtTheExtremes)
{
    RandomSource random;
    random.RandomSeed = 0xFFFFFFFFu;
    for (int i = 0; i < 1000; ++i) {
        EXPECT_LT(random.RandomBelow(0xFFFFFFFFu), 0xFFFFFFFFu);
        EXPECT_LT(random.RandomBelow(2), 2u);
    }
}

TEST(RandomSource, ClockSeedIsMillisecondsOfTheDay)
{
    RandomSource random;
    random.SeedFromClock();
    EXPECT_LT(random.RandomSeed, 24u * 60 * 60 * 1000);
}

}  // namespace
}  // namespace zentavo
