#include "generation/GenerateProblems.h"

#include "generation/ProblemCount.h"
#include "generation/TwoDigitModes.h"

#include <algorithm>
#include <array>
#include <bit>
#include <bitset>

namespace zentavo {
namespace {

constexpr int32_t QuotientsPerDan = 9;
constexpr uint32_t CodeDraws = 100;

struct Selection {
    uint32_t dans = 0;       // bit n: dan n selected
    int32_t danCount = 0;
    int32_t extraZero = 0;   // J: 1 when quotient 0 is allowed
    int32_t emphasised = -1; // E: -1, 0 (none) or a dan 1..9
};

Selection SelectionFor(const SheetOptions& options)
{
    Selection s;
    s.dans = static_cast<uint32_t>(options.DanMask & DrillableDans);
    s.danCount = std::popcount(s.dans);
    s.extraZero = options.JousuuCheck == 1 ? 1 : 0;
    s.emphasised = (options.ImportantDan >= 0 && options.ImportantDan <= 9) ? options.ImportantDan : -1;
    return s;
}

// The codes a draw may still take: those that pass every rule and have not
// been placed since the start of the drawn part.
using OpenCodes = std::bitset<CodeDraws>;

bool PassesRules(const Selection& s, bool emphasisActive, int32_t code)
{
    const int32_t dan = code / 10;
    const int32_t quotient = code % 10;
    if ((s.dans & (1u << dan)) == 0)
        return false;
    if (s.extraZero == 0 && quotient == 0)
        return false;
    return !(emphasisActive && dan == s.emphasised);
}

OpenCodes OpenCodesFor(const Selection& s, bool emphasisActive)
{
    OpenCodes open;
    for (int32_t code = 0; code < static_cast<int32_t>(CodeDraws); ++code)
        open[static_cast<size_t>(code)] = PassesRules(s, emphasisActive, code);
    return open;
}

// The seed after `steps` more draws, computed in one go.
struct SeedJump {
    uint32_t multiplier = 1;
    uint32_t increment = 0;
};
constexpr SeedJump JumpOf(int32_t steps)
{
    SeedJump jump;
    for (int32_t k = 0; k < steps; ++k) {
        jump.multiplier *= RandomSource::Multiplier;
        jump.increment = jump.increment * RandomSource::Multiplier + RandomSource::Increment;
    }
    return jump;
}
constexpr SeedJump AllButLastDraw = JumpOf(MaxRedraws);

// A position whose draws were all rejected keeps its last value, unless that
// value has dan 0: then it takes the lowest code still open (no draw), or the
// first problem of the lowest selected dan when none is left.
int32_t ReplacementForDanZero(const Selection& s, const OpenCodes& open)
{
    for (size_t code = 0; code < open.size(); ++code)
        if (open[code])
            return static_cast<int32_t>(code);
    return std::countr_zero(s.dans) * 10 + 1;
}

// The last value drawn for one position; `accepted` tells whether it is open.
int32_t DrawUntilAccepted(const OpenCodes& open, RandomSource& random, bool& accepted)
{
    if (open.none()) {
        // Every draw would be rejected: skip straight to the last of them.
        random.RandomSeed = random.RandomSeed * AllButLastDraw.multiplier + AllButLastDraw.increment;
        accepted = false;
        return static_cast<int32_t>(random.RandomBelow(CodeDraws));
    }
    int32_t code = 0;
    for (int32_t tries = 0; tries <= MaxRedraws; ++tries) {
        code = static_cast<int32_t>(random.RandomBelow(CodeDraws));
        if (open[static_cast<size_t>(code)]) {
            accepted = true;
            return code;
        }
    }
    accepted = false;
    return code;
}

void DrawPosition(const Selection& s, ProblemList& list, OpenCodes& open, int32_t position,
                  RandomSource& random)
{
    bool accepted = false;
    int32_t code = DrawUntilAccepted(open, random, accepted);
    if (!accepted && code < 10)
        code = ReplacementForDanZero(s, open);
    list.Codes[position] = code;
    open.reset(static_cast<size_t>(code));
}

void SelectExactShare(const Selection& s, ProblemList& list)
{
    int32_t position = 1;
    for (int32_t dan = 1; dan <= 9; ++dan) {
        if ((s.dans & (1u << dan)) == 0)
            continue;
        for (int32_t quotient = 1; quotient <= QuotientsPerDan && position <= list.Count; ++quotient)
            list.Codes[position++] = dan * 10 + quotient;
    }
}

void SelectByDraw(const Selection& s, ProblemList& list, RandomSource& random)
{
    int32_t start = 1;
    const bool emphasisActive = s.emphasised >= 1;
    if (emphasisActive) {
        // Every problem of the emphasised dan once, ahead of the drawn ones.
        const int32_t blockSize = std::min(QuotientsPerDan + s.extraZero, list.Count);
        for (int32_t k = 0; k < blockSize; ++k)
            list.Codes[1 + k] = s.emphasised * 10 + (1 - s.extraZero) + k;
        start = QuotientsPerDan + s.extraZero + 1;
    }
    OpenCodes open = OpenCodesFor(s, emphasisActive);
    for (int32_t position = start; position <= list.Count; ++position)
        DrawPosition(s, list, open, position, random);
}

// Ascending order of the codes, which all lie in 0..99, by counting them.
void SortCodes(ProblemList& list)
{
    std::array<uint8_t, CodeDraws> tally{};
    for (int32_t i = 1; i <= list.Count; ++i)
        ++tally[static_cast<size_t>(list.Codes[i])];
    int32_t position = 1;
    for (size_t code = 0; code < tally.size(); ++code)
        for (uint8_t k = 0; k < tally[code]; ++k)
            list.Codes[position++] = static_cast<int32_t>(code);
}

void Shuffle(ProblemList& list, RandomSource& random)
{
    const auto count = static_cast<uint32_t>(list.Count);
    for (int32_t i = 1; i <= list.Count; ++i) {
        const auto k = static_cast<size_t>(random.RandomBelow(count)) + 1;
        std::swap(list.Codes[static_cast<size_t>(i)], list.Codes[k]);
    }
}

void DrawBlankSides(ProblemList& list, RandomSource& random)
{
    for (int32_t i = 1; i <= list.Count; ++i)
        list.BlankSide[i] = static_cast<int32_t>(random.RandomBelow(2));
}

}  // namespace

GenerateResult GenerateProblems(const SheetOptions& options, ProblemList& list, RandomSource& random)
{
    const Selection s = SelectionFor(options);
    const int32_t count = std::clamp(ProblemCountFor(options.QNumCheck, list.Count), 0, ProblemCapacity);
    if (s.danCount == 0)
        return GenerateResult::TooFewDans;
    // With the table's counts a share of nine per dan is always exact; a count
    // kept from an earlier list may leave a remainder, which is drawn instead
    // of being left as code 0.
    const bool exactShare = count == QuotientsPerDan * s.danCount;
    if (!exactShare && options.Amari == 0 && (QuotientsPerDan + s.extraZero) * s.danCount < count)
        return GenerateResult::TooFewDans;

    list.Count = count;
    list.Codes.fill(0);
    list.Divisors.fill(0);
    list.BlankSide.fill(0);

    if (exactShare)
        SelectExactShare(s, list);
    else
        SelectByDraw(s, list, random);
    SortCodes(list);

    if (IsTwoDigitMode(options.Amari))
        FillTwoDigitProblems(options.Amari, count, list, random);
    else if (options.Amari == 0 && options.RandomCheck == 1)
        Shuffle(list, random);

    DrawBlankSides(list, random);
    return GenerateResult::Generated;
}

}  // namespace zentavo
