#include "generation/GenerateProblems.h"
#include "generation/TwoDigitModes.h"

#include <gtest/gtest.h>

#include <array>
#include <set>

namespace zentavo {
namespace {

struct PairCase {
    int32_t a, b;
    std::set<int32_t> acceptingModes;
};

TEST(TwoDigitModes, EachModeAcceptsTheRightPairs)
{
    const std::array<PairCase, 5> cases = {{
        {10, 2, {1, 4, 7}},     // exact
        {11, 2, {2, 4, 5, 7}},  // remainder, no borrow
        {10, 3, {3, 4, 6, 7}},  // remainder with borrow
        {95, 9, {5, 7}},        // two-digit quotient, no borrow
        {57, 4, {5, 7}},
    }};
    for (const PairCase& pair : cases)
        for (int32_t mode = 1; mode <= 7; ++mode)
            EXPECT_EQ(AcceptsPair(mode, pair.a, pair.b), pair.acceptingModes.count(mode) == 1)
                << pair.a << " / " << pair.b << " in mode " << mode;
}

TEST(TwoDigitModes, AcceptedShareOfAllPairs)
{
    const std::array<int, 7> expected = {164, 202, 100, 360, 427, 129, 720};
    for (int32_t mode = 1; mode <= 7; ++mode) {
        int accepted = 0;
        for (int32_t a = 10; a <= 99; ++a)
            for (int32_t b = 2; b <= 9; ++b)
                accepted += AcceptsPair(mode, a, b) ? 1 : 0;
        EXPECT_EQ(accepted, expected[mode - 1]) << "mode " << mode;
    }
}

TEST(TwoDigitModes, NoModeOutsideOneToSeven)
{
    EXPECT_FALSE(AcceptsPair(0, 10, 2));
    EXPECT_FALSE(AcceptsPair(8, 10, 2));
    EXPECT_FALSE(AcceptsPair(1, 10, 0));
}

TEST(TwoDigitModes, IgnoreDansAndCountFeasibility)
{
    for (int32_t mode = 1; mode <= 7; ++mode) {
        SheetOptions options;
        options.DanMask = 1 << 4;
        options.QNumCheck = 11;  // 80 problems from a single dan
        options.ImportantDan = 4;
        options.RandomCheck = 1;
        options.Amari = mode;
        ProblemList list;
        RandomSource random;
        random.RandomSeed = 99;
        ASSERT_EQ(GenerateProblems(options, list, random), GenerateResult::Generated);
        EXPECT_EQ(list.Count, 80);
        for (int32_t i = 1; i <= 80; ++i) {
            EXPECT_TRUE(AcceptsPair(mode, list.Codes[i], list.Divisors[i]))
                << list.Codes[i] << " / " << list.Divisors[i] << " in mode " << mode;
        }
    }
}

TEST(TwoDigitModes, MixedModeDrawsDividendThenDivisorOncePerProblem)
{
    SheetOptions options;
    options.DanMask = 1 << 2;
    options.QNumCheck = 0;  // 9 problems: exact share, no draws before the two-digit step
    options.Amari = 7;
    ProblemList list;
    RandomSource random;
    random.RandomSeed = 4242;
    ASSERT_EQ(GenerateProblems(options, list, random), GenerateResult::Generated);

    RandomSource replay;
    replay.RandomSeed = 4242;
    for (int32_t i = 1; i <= 9; ++i) {
        EXPECT_EQ(list.Codes[i], static_cast<int32_t>(replay.RandomBelow(90)) + 10);
        EXPECT_EQ(list.Divisors[i], static_cast<int32_t>(replay.RandomBelow(8)) + 2);
    }
    for (int32_t i = 1; i <= 9; ++i)
        EXPECT_EQ(list.BlankSide[i], static_cast<int32_t>(replay.RandomBelow(2)));
    EXPECT_EQ(random.RandomSeed, replay.RandomSeed);
}

}  // namespace
}  // namespace zentavo
