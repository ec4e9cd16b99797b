#include "generation/TwoDigitModes.h"

#include <array>

namespace zentavo {
namespace {

enum class Remainder { Any, None, Some };
enum class Borrow { Any, NoBorrow, WithBorrow };

struct ModeRule {
    Remainder remainder;
    bool oneDigitQuotient;  // "one use of the times table": quotient <= 9
    Borrow borrow;
};

// Indexed by mode - 1.
constexpr std::array<ModeRule, 7> ModeRules = {{
    {Remainder::None, false, Borrow::Any},        // 1 no remainder
    {Remainder::Some, true, Borrow::NoBorrow},    // 2 remainder, one table fact, no borrow
    {Remainder::Some, true, Borrow::WithBorrow},  // 3 remainder, one table fact, borrow
    {Remainder::Any, true, Borrow::Any},          // 4 mixed, one table fact
    {Remainder::Some, false, Borrow::NoBorrow},   // 5 remainder, no borrow
    {Remainder::Some, false, Borrow::WithBorrow}, // 6 remainder, borrow
    {Remainder::Any, false, Borrow::Any},         // 7 anything
}};

constexpr int32_t DividendDraws = 90;  // 10..99
constexpr int32_t DivisorDraws = 8;    // 2..9
constexpr int32_t MaxTries = 1000;

void ClearProblems(ProblemList& list)
{
    list.Codes.fill(0);
    list.Divisors.fill(0);
    list.BlankSide.fill(0);
}

}  // namespace

bool AcceptsPair(int32_t amari, int32_t a, int32_t b)
{
    if (!IsTwoDigitMode(amari) || b <= 0 || a < 0)
        return false;
    const ModeRule& rule = ModeRules[static_cast<size_t>(amari - 1)];
    const int32_t quotient = a / b;
    const int32_t remainder = a % b;
    const int32_t onesOfDividend = a % 10;
    const int32_t onesOfProduct = (b * quotient) % 10;

    if (rule.remainder == Remainder::None && remainder != 0)
        return false;
    if (rule.remainder == Remainder::Some && remainder == 0)
        return false;
    if (rule.oneDigitQuotient && quotient > 9)
        return false;
    if (rule.borrow == Borrow::NoBorrow && !(onesOfDividend > onesOfProduct))
        return false;
    if (rule.borrow == Borrow::WithBorrow && !(onesOfDividend < onesOfProduct))
        return false;
    return true;
}

void FillTwoDigitProblems(int32_t amari, int32_t count, ProblemList& list, RandomSource& random)
{
    list.Count = count;
    ClearProblems(list);
    for (int32_t i = 1; i <= count; ++i) {
        for (int32_t tries = 0; tries <= MaxTries; ++tries) {
            const auto a = static_cast<int32_t>(random.RandomBelow(DividendDraws)) + 10;
            const auto b = static_cast<int32_t>(random.RandomBelow(DivisorDraws)) + 2;
            list.Codes[i] = a;
            list.Divisors[i] = b;
            if (amari == LastTwoDigitMode || AcceptsPair(amari, a, b))
                break;
        }
    }
}

}  // namespace zentavo
