#include "generation/TwoDigitModes.h"

#include <algorithm>
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

void ClearProblems(ProblemList& list)
{
    list.Codes.fill(0);
    list.Divisors.fill(0);
    list.BlankSide.fill(0);
}

constexpr bool ModeAccepts(int32_t amari, int32_t a, int32_t b)
{
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

// Every drawable pair, decided once: [mode - 1][(a - 10) * 8 + (b - 2)].
constexpr int32_t PairCount = DividendDraws * DivisorDraws;
using AcceptanceTable = std::array<std::array<bool, PairCount>, ModeRules.size()>;
constexpr AcceptanceTable BuildAcceptanceTable()
{
    AcceptanceTable table{};
    for (int32_t mode = FirstTwoDigitMode; mode <= LastTwoDigitMode; ++mode)
        for (int32_t pair = 0; pair < PairCount; ++pair)
            table[static_cast<size_t>(mode - 1)][static_cast<size_t>(pair)] =
                ModeAccepts(mode, pair / DivisorDraws + 10, pair % DivisorDraws + 2);
    return table;
}
constexpr AcceptanceTable Acceptance = BuildAcceptanceTable();

}  // namespace

bool AcceptsPair(int32_t amari, int32_t a, int32_t b)
{
    return IsTwoDigitMode(amari) && b > 0 && a >= 0 && ModeAccepts(amari, a, b);
}

void FillTwoDigitProblems(int32_t amari, int32_t count, ProblemList& list, RandomSource& random)
{
    count = std::clamp(count, 0, ProblemCapacity);
    list.Count = count;
    ClearProblems(list);
    if (!IsTwoDigitMode(amari))
        return;
    const auto& accepted = Acceptance[static_cast<size_t>(amari - 1)];
    for (int32_t i = 1; i <= count; ++i) {
        for (int32_t tries = 0; tries <= MaxRedraws; ++tries) {
            const auto dividendIndex = static_cast<int32_t>(random.RandomBelow(DividendDraws));
            const auto divisorIndex = static_cast<int32_t>(random.RandomBelow(DivisorDraws));
            list.Codes[i] = dividendIndex + 10;
            list.Divisors[i] = divisorIndex + 2;
            if (amari == LastTwoDigitMode || accepted[static_cast<size_t>(dividendIndex * DivisorDraws + divisorIndex)])
                break;
        }
    }
}

}  // namespace zentavo
