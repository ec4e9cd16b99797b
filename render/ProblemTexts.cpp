#include "render/ProblemTexts.h"

#include "generation/TwoDigitModes.h"
#include "render/ShiftJis.h"

#include <array>

namespace zentavo {
namespace {

enum class Blank { None, OnDividend, OnDivisor };

constexpr std::array<int64_t, 3> Multipliers = {1, 10, 100};

// Restart length of the circled numbers by count item: the rows of a column.
constexpr std::array<int32_t, 14> RestartByItem = {9, 10, 9, 10, 9, 10, 9, 10, 18, 20, 18, 20, 18, 20};

Blank BlankFor(int32_t rgSquare, int32_t blankSide)
{
    switch (rgSquare) {
    case 1: return Blank::OnDividend;
    case 2: return Blank::OnDivisor;
    case 3: return blankSide == 0 ? Blank::OnDividend : Blank::OnDivisor;
    default: return Blank::None;
    }
}

std::string Num(int64_t value)
{
    return std::to_string(value);
}

// A one-digit dividend gets a blank in front so that the signs line up.
std::string_view WidthPad(int64_t dividend)
{
    return dividend < 10 ? " " : "";
}

// Two-digit modes: dividend a, divisor b, with the remainder after "…".
std::string TwoDigitText(int64_t a, int64_t b, bool answers)
{
    std::string text = Num(a);
    text += sjis::Divide;
    text += Num(b);
    if (!answers || b == 0)  // a divisor of 0 has no answer to show
        return text;
    text += sjis::Equals;
    text += Num(a / b);
    if (a % b != 0) {
        text += sjis::Ellipsis;
        text += Num(a % b);
    }
    return text;
}

struct TimesTableProblem {
    int64_t divisor;   // d, the dan
    int64_t dividend;  // D, before any multiplier
    int64_t quotient;  // q
};

TimesTableProblem Decode(int64_t code)
{
    const int64_t divisor = code / 10;
    const int64_t dividend = divisor * (code % 10);
    return {divisor, dividend, divisor != 0 ? dividend / divisor : code % 10};
}

std::string BlankOnDividend(const TimesTableProblem& p, bool answers)
{
    std::string text;
    if (answers) {
        text += p.dividend < 10 ? "[ " : "[";
        text += Num(p.dividend);
        text += "]";
    } else {
        text += "[ ]";
    }
    text += sjis::Divide;
    text += Num(p.divisor);
    text += sjis::Equals;
    text += Num(p.quotient);
    return text;
}

std::string BlankOnDivisor(const TimesTableProblem& p, bool answers)
{
    std::string text{WidthPad(p.dividend)};
    text += Num(p.dividend);
    text += sjis::Divide;
    text += answers ? "[" + Num(p.divisor) + "]" : std::string("[ ]");
    text += sjis::Equals;
    text += Num(p.quotient);
    return text;
}

std::string WithoutBlank(const TimesTableProblem& p, int32_t mGroup, bool answers)
{
    const bool known = mGroup >= 0 && mGroup < static_cast<int32_t>(Multipliers.size());
    const int64_t shown = p.dividend * (known ? Multipliers[static_cast<size_t>(mGroup)] : 1);
    std::string text{WidthPad(p.dividend)};
    text += Num(shown);
    text += sjis::Divide;
    text += Num(p.divisor);
    if (answers) {
        text += sjis::Equals;
        text += Num(shown / p.divisor);
    }
    return text;
}

std::string NumberPrefix(int32_t qNumCheck, int32_t i)
{
    return sjis::CircledNumeral((i - 1) % NumberRestartLength(qNumCheck) + 1);
}

}  // namespace

int32_t NumberRestartLength(int32_t qNumCheck)
{
    if (qNumCheck < 0 || qNumCheck >= static_cast<int32_t>(RestartByItem.size()))
        return sjis::CircledNumeralCount;
    return RestartByItem[static_cast<size_t>(qNumCheck)];
}

std::string ProblemText(const SheetOptions& options, const ProblemList& list, int32_t i, bool answers)
{
    if (i < 1 || i > ProblemCapacity)
        return {};
    const auto slot = static_cast<size_t>(i);
    if (IsTwoDigitMode(options.Amari))
        return TwoDigitText(list.Codes[slot], list.Divisors[slot], answers);
    const TimesTableProblem p = Decode(list.Codes[slot]);
    // A code below 10 divides by 0: there is no answer to show, so the answer
    // sheet repeats the question instead of filling in a number.
    if (p.divisor == 0)
        answers = false;
    switch (BlankFor(options.rgSquare, list.BlankSide[slot])) {
    case Blank::OnDividend: return BlankOnDividend(p, answers);
    case Blank::OnDivisor: return BlankOnDivisor(p, answers);
    case Blank::None: break;
    }
    return WithoutBlank(p, options.MGroup, answers);
}

void MakeProblemTexts(const SheetOptions& options, ProblemList& list, int32_t Answers)
{
    const int32_t count = std::min(list.Count, ProblemCapacity);
    for (int32_t i = 1; i <= count; ++i) {
        std::string text = ProblemText(options, list, i, Answers != 0);
        if (options.rgNum == 1) {
            const std::string numbered = NumberPrefix(options.QNumCheck, i) + text;
            text = std::string(sjis::CutToBytes(sjis::CutToBytes(numbered, 18), MaxTextBytes));
        }
        list.Texts[static_cast<size_t>(i)] = std::string(sjis::CutToBytes(text, MaxTextBytes));
    }
}

}  // namespace zentavo
