#include "generation/GenerateProblems.h"
#include "generation/ProblemCount.h"
#include "generation/TwoDigitModes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <numeric>
#include <vector>

namespace zentavo {
namespace {

int32_t Dans(std::initializer_list<int> dans)
{
    int32_t mask = 0;
    for (int dan : dans)
        mask |= 1 << dan;
    return mask;
}

std::vector<int32_t> CodesOf(const ProblemList& list)
{
    return {list.Codes.begin() + 1, list.Codes.begin() + 1 + list.Count};
}

std::vector<int32_t> Range(int32_t first, int32_t last)
{
    std::vector<int32_t> values(static_cast<size_t>(last - first + 1));
    std::iota(values.begin(), values.end(), first);
    return values;
}

std::vector<int32_t> Joined(std::vector<int32_t> a, const std::vector<int32_t>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct Generated {
    GenerateResult result;
    ProblemList list;
    RandomSource random;
};

Generated Generate(const SheetOptions& options, uint32_t seed = 1)
{
    Generated g{GenerateResult::TooFewDans, {}, {}};
    g.random.RandomSeed = seed;
    g.result = GenerateProblems(options, g.list, g.random);
    return g;
}

TEST(ProblemCount, ItemsMapToCounts)
{
    const std::vector<int32_t> expected = {9, 10, 18, 20, 27, 30, 36, 40, 54, 60, 72, 80, 36, 40};
    for (int32_t item = 0; item < 14; ++item)
        EXPECT_EQ(ProblemCountFor(item, -7), expected[static_cast<size_t>(item)]);
    EXPECT_EQ(ProblemCountFor(14, 27), 27);
    EXPECT_EQ(ProblemCountFor(-1, 36), 36);
}

TEST(ExactShare, NineProblemsPerDanAreTakenInOrderWithoutDrawing)
{
    SheetOptions options;
    options.DanMask = Dans({3});
    options.QNumCheck = 0;
    Generated g = Generate(options, 555);
    ASSERT_EQ(g.result, GenerateResult::Generated);
    EXPECT_EQ(CodesOf(g.list), Range(31, 39));

    // Only the nine blank sides were drawn.
    RandomSource replay;
    replay.RandomSeed = 555;
    for (int32_t i = 1; i <= 9; ++i)
        EXPECT_EQ(g.list.BlankSide[i], static_cast<int32_t>(replay.RandomBelow(2)));
    EXPECT_EQ(g.random.RandomSeed, replay.RandomSeed);
}

TEST(ExactShare, EmphasisAndZeroDividendHaveNoEffect)
{
    SheetOptions options;
    options.DanMask = Dans({2, 7});
    options.QNumCheck = 2;  // 18
    options.ImportantDan = 7;
    EXPECT_EQ(CodesOf(Generate(options).list), Joined(Range(21, 29), Range(71, 79)));
}

TEST(Feasibility, OneDanCannotSupplyTenWithoutZero)
{
    SheetOptions options;
    options.DanMask = Dans({4});
    options.QNumCheck = 1;
    options.JousuuCheck = 1;
    EXPECT_EQ(CodesOf(Generate(options).list), Range(40, 49));

    options.JousuuCheck = 0;
    EXPECT_EQ(Generate(options).result, GenerateResult::TooFewDans);
}

TEST(Feasibility, FailureChangesNothing)
{
    SheetOptions good;
    good.DanMask = Dans({2, 3});
    good.QNumCheck = 3;
    good.JousuuCheck = 1;
    ProblemList list;
    RandomSource random;
    random.RandomSeed = 31337;
    ASSERT_EQ(GenerateProblems(good, list, random), GenerateResult::Generated);
    list.Texts[1] = "drawn before";
    const ProblemList before = list;
    const uint32_t seedBefore = random.RandomSeed;

    SheetOptions tooMany = good;
    tooMany.QNumCheck = 11;  // 80 from two dans
    EXPECT_EQ(GenerateProblems(tooMany, list, random), GenerateResult::TooFewDans);
    EXPECT_EQ(random.RandomSeed, seedBefore);
    EXPECT_EQ(list.Count, before.Count);
    EXPECT_EQ(list.Codes, before.Codes);
    EXPECT_EQ(list.Divisors, before.Divisors);
    EXPECT_EQ(list.BlankSide, before.BlankSide);
    EXPECT_EQ(list.Texts, before.Texts);
}

TEST(Feasibility, TestedOnlyInTheTimesTableMode)
{
    SheetOptions options;
    options.DanMask = Dans({5});
    options.QNumCheck = 11;
    EXPECT_EQ(Generate(options).result, GenerateResult::TooFewDans);
    options.Amari = 3;
    EXPECT_EQ(Generate(options).result, GenerateResult::Generated);
}

TEST(Selection, TwoDansWithZeroGiveEveryProblemOnceSortedOrShuffled)
{
    SheetOptions options;
    options.DanMask = Dans({2, 3});
    options.QNumCheck = 3;  // 20
    options.JousuuCheck = 1;
    const std::vector<int32_t> all = Range(20, 39);
    EXPECT_EQ(CodesOf(Generate(options, 8).list), all);

    options.RandomCheck = 1;
    std::vector<int32_t> shuffled = CodesOf(Generate(options, 8).list);
    EXPECT_NE(shuffled, all);
    std::sort(shuffled.begin(), shuffled.end());
    EXPECT_EQ(shuffled, all);
}

TEST(Selection, EmphasisedDanComesWholeAndIsNotDrawnAgain)
{
    SheetOptions options;
    options.DanMask = Dans({2, 5});
    options.QNumCheck = 3;
    options.JousuuCheck = 1;
    options.ImportantDan = 5;
    EXPECT_EQ(CodesOf(Generate(options, 3).list), Joined(Range(20, 29), Range(50, 59)));

    // Without zero the block is 51..59, and dan 5 supplies nothing more.
    options.DanMask = Dans({2, 5, 8, 9});
    options.QNumCheck = 5;  // 30
    options.JousuuCheck = 0;
    for (uint32_t seed = 0; seed < 50; ++seed) {
        const Generated g = Generate(options, seed);
        ASSERT_EQ(g.result, GenerateResult::Generated);
        const std::vector<int32_t> codes = CodesOf(g.list);
        EXPECT_EQ(std::count_if(codes.begin(), codes.end(), [](int32_t c) { return c / 10 == 5; }), 9);
        EXPECT_EQ(std::count(codes.begin(), codes.end(), 50), 0);
    }
}

TEST(Selection, EmphasisItemZeroIsTheSameAsNone)
{
    SheetOptions none;
    none.DanMask = Dans({3, 6, 7, 9});
    none.QNumCheck = 9;  // 60
    none.JousuuCheck = 1;
    none.RandomCheck = 1;
    SheetOptions meaningless = none;
    meaningless.ImportantDan = 0;
    for (uint32_t seed : {0u, 1u, 2024u, 0xFFFFFFFFu}) {
        const Generated a = Generate(none, seed);
        const Generated b = Generate(meaningless, seed);
        EXPECT_EQ(a.list.Codes, b.list.Codes);
        EXPECT_EQ(a.list.BlankSide, b.list.BlankSide);
        EXPECT_EQ(a.random.RandomSeed, b.random.RandomSeed);
    }
}

TEST(Selection, OneSeedAlwaysGivesOneSheet)
{
    SheetOptions options;
    options.DanMask = Dans({2, 4, 6, 8});
    options.QNumCheck = 10;
    options.ImportantDan = 6;
    options.RandomCheck = 1;
    const Generated a = Generate(options, 123456);
    const Generated b = Generate(options, 123456);
    EXPECT_EQ(a.list.Codes, b.list.Codes);
    EXPECT_EQ(a.list.BlankSide, b.list.BlankSide);
    EXPECT_EQ(a.random.RandomSeed, b.random.RandomSeed);
}

// Draws the positions of one dan, no zero excluded, 10 problems, the way the
// selection rules describe, and reports the last value of a position whose
// draws were all rejected.
int32_t ExhaustedValueForDanThreeWithZero(uint32_t seed)
{
    RandomSource random;
    random.RandomSeed = seed;
    std::vector<int32_t> kept;
    for (int position = 1; position <= 10; ++position) {
        int32_t value = -1;
        bool accepted = false;
        for (int tries = 0; tries <= 1000 && !accepted; ++tries) {
            value = static_cast<int32_t>(random.RandomBelow(100));
            accepted = value / 10 == 3 && std::find(kept.begin(), kept.end(), value) == kept.end();
        }
        if (!accepted)
            return value;
        kept.push_back(value);
    }
    return -1;
}

TEST(ExhaustedDraws, APositionNeverKeepsADanZeroValue)
{
    // Seed found by search: the tenth position rejects 1001 draws, the last a 2.
    constexpr uint32_t seed = 151315;
    ASSERT_EQ(ExhaustedValueForDanThreeWithZero(seed), 2);

    SheetOptions options;
    options.DanMask = Dans({3});
    options.QNumCheck = 1;
    options.JousuuCheck = 1;
    const Generated g = Generate(options, seed);
    ASSERT_EQ(g.result, GenerateResult::Generated);
    // The position takes the one problem still missing instead of 0 / 0.
    EXPECT_EQ(CodesOf(g.list), Range(30, 39));
}

TEST(ExhaustedDraws, OptionsNoWindowProducesStillGiveNonZeroDivisors)
{
    // A mode index outside the table skips the feasibility test, so one dan
    // must fill 80 positions and most of them run out of draws.
    SheetOptions options;
    options.DanMask = Dans({0, 3}) | (1 << 20);
    options.QNumCheck = 11;
    options.Amari = 9;
    options.JousuuCheck = 5;
    options.ImportantDan = 42;
    options.RandomCheck = 1;
    for (uint32_t seed : {1u, 2u, 3u}) {
        const Generated g = Generate(options, seed);
        ASSERT_EQ(g.result, GenerateResult::Generated);
        for (int32_t i = 1; i <= 80; ++i)
            EXPECT_GE(g.list.Codes[i], 10) << "position " << i;
    }
}

TEST(HostileOptions, ACountOfNineAndSomePerDanLeavesNoEmptySlot)
{
    // An index outside the count table keeps the earlier count: 48 over five
    // dans shares nine each with three left over.
    SheetOptions options;
    options.DanMask = Dans({1, 4, 5, 8, 9});
    options.QNumCheck = 65792;
    for (int32_t amari : {0, -65536}) {
        options.Amari = amari;
        Generated g{GenerateResult::TooFewDans, {}, {}};
        g.list.Count = 48;
        g.random.RandomSeed = 7;
        g.result = GenerateProblems(options, g.list, g.random);
        if (amari == 0) {
            EXPECT_EQ(g.result, GenerateResult::TooFewDans);  // 9 x 5 < 48
            continue;
        }
        ASSERT_EQ(g.result, GenerateResult::Generated);
        for (int32_t i = 1; i <= 48; ++i)
            EXPECT_GE(g.list.Codes[i], 10) << "position " << i;
    }
}

TEST(HostileOptions, NoDrillableDanIsRefused)
{
    SheetOptions options;
    options.DanMask = 1;  // only dan 0
    EXPECT_EQ(Generate(options).result, GenerateResult::TooFewDans);
    options.DanMask = 0;
    EXPECT_EQ(Generate(options).result, GenerateResult::TooFewDans);
}

TEST(HostileOptions, EmphasisBlockNeverRunsPastTheCount)
{
    SheetOptions options;
    options.DanMask = Dans({2, 3});
    options.QNumCheck = 0;  // 9 problems
    options.JousuuCheck = 1;  // a window never allows zero here
    options.ImportantDan = 2;
    const Generated g = Generate(options);
    ASSERT_EQ(g.result, GenerateResult::Generated);
    EXPECT_EQ(g.list.Count, 9);
    EXPECT_EQ(g.list.Codes[10], 0);
}

// Invariants of every generated list, over many seeds and option sets.
void ExpectSoundList(const SheetOptions& options, const ProblemList& list, bool feasibleWithoutRepeats)
{
    ASSERT_GE(list.Count, 0);
    ASSERT_LE(list.Count, ProblemCapacity);
    for (int32_t i = list.Count + 1; i <= ProblemCapacity; ++i) {
        EXPECT_EQ(list.Codes[i], 0);
        EXPECT_EQ(list.Divisors[i], 0);
        EXPECT_EQ(list.BlankSide[i], 0);
    }
    for (int32_t i = 1; i <= list.Count; ++i) {
        EXPECT_TRUE(list.BlankSide[i] == 0 || list.BlankSide[i] == 1);
        if (IsTwoDigitMode(options.Amari)) {
            EXPECT_GE(list.Codes[i], 10);
            EXPECT_LE(list.Codes[i], 99);
            EXPECT_GE(list.Divisors[i], 2);
            EXPECT_LE(list.Divisors[i], 9);
            EXPECT_TRUE(AcceptsPair(options.Amari, list.Codes[i], list.Divisors[i]));
        } else {
            EXPECT_GE(list.Codes[i], 10);
            EXPECT_LE(list.Codes[i], 99);
            EXPECT_EQ(list.Divisors[i], 0);
        }
    }
    if (feasibleWithoutRepeats && !IsTwoDigitMode(options.Amari)) {
        std::vector<int32_t> codes = CodesOf(list);
        std::sort(codes.begin(), codes.end());
        EXPECT_EQ(std::adjacent_find(codes.begin(), codes.end()), codes.end());
        for (int32_t code : codes) {
            EXPECT_NE(options.DanMask & (1 << (code / 10)), 0) << code;
            if (options.JousuuCheck == 0) {
                EXPECT_NE(code % 10, 0) << code;
            }
        }
        if (options.RandomCheck == 0) {
            EXPECT_TRUE(std::is_sorted(list.Codes.begin() + 1, list.Codes.begin() + 1 + list.Count));
        }
    }
}

TEST(Properties, EveryGeneratedListIsSound)
{
    RandomSource chooser;
    chooser.RandomSeed = 2026;
    int generated = 0;
    for (int round = 0; round < 3000; ++round) {
        SheetOptions options;
        options.DanMask = static_cast<int32_t>(chooser.RandomBelow(512) << 1);
        if (options.DanMask == 0)
            continue;
        options.QNumCheck = static_cast<int32_t>(chooser.RandomBelow(14));
        options.JousuuCheck = options.QNumCheck % 2 == 1 ? static_cast<int32_t>(chooser.RandomBelow(2)) : 0;
        const int32_t emphasised = static_cast<int32_t>(chooser.RandomBelow(11)) - 1;
        if (emphasised <= 0 || (options.DanMask & (1 << emphasised)))
            options.ImportantDan = emphasised;
        options.RandomCheck = static_cast<int32_t>(chooser.RandomBelow(2));
        options.Amari = chooser.RandomBelow(3) == 0 ? static_cast<int32_t>(chooser.RandomBelow(8)) : 0;
        const Generated g = Generate(options, chooser.RandomBelow(0xFFFFFFFFu));
        if (g.result == GenerateResult::TooFewDans)
            continue;
        ++generated;
        // An exhausted position is rare enough to ignore in a few thousand
        // sheets, so repeats would point at a real fault.
        ExpectSoundList(options, g.list, true);
        if (HasFatalFailure() || HasNonfatalFailure())
            FAIL() << "round " << round;
    }
    EXPECT_GT(generated, 1500);
}

}  // namespace
}  // namespace zentavo
