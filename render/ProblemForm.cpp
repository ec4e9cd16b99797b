#include "render/ProblemForm.h"

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

// Whether some problem of two-digit mode `amari` leaves a remainder, by the
// pairs the mode takes.
bool RemaindersOccur(int32_t amari)
{
    static const auto occur = [] {
        std::array<bool, LastTwoDigitMode + 1> table{};
        for (int32_t mode = FirstTwoDigitMode; mode <= LastTwoDigitMode; ++mode)
            for (int32_t a = 10; a <= 99 && !table[static_cast<size_t>(mode)]; ++a)
                for (int32_t b = 2; b <= 9; ++b)
                    if (a % b != 0 && AcceptsPair(mode, a, b))
                        table[static_cast<size_t>(mode)] = true;
        return table;
    }();
    return IsTwoDigitMode(amari) && occur[static_cast<size_t>(amari)];
}

// Builds a form piece by piece.
class FormBuilder {
public:
    FormBuilder& Text(std::string_view text)
    {
        if (!form_.pieces.empty())
            if (auto* last = std::get_if<std::string>(&form_.pieces.back())) {
                *last += text;
                return *this;
            }
        form_.pieces.emplace_back(std::string(text));
        return *this;
    }
    FormBuilder& Field(FieldKind kind, int64_t right, bool padOneDigit = false)
    {
        form_.pieces.emplace_back(AnswerField{kind, right, padOneDigit});
        return *this;
    }
    ProblemForm Done() { return std::move(form_); }

private:
    ProblemForm form_;
};

// Two-digit modes: dividend a, divisor b, with the remainder after "…".
ProblemForm TwoDigitForm(int32_t amari, int64_t a, int64_t b)
{
    FormBuilder form;
    form.Text(Num(a)).Text(sjis::Divide).Text(Num(b));
    if (b == 0)  // a divisor of 0 has no answer to show
        return form.Done();
    form.Field(FieldKind::Quotient, a / b);
    if (RemaindersOccur(amari) || a % b != 0)
        form.Field(FieldKind::Remainder, a % b);
    return form.Done();
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

ProblemForm TimesTableForm(const TimesTableProblem& p, Blank blank, int32_t mGroup)
{
    FormBuilder form;
    switch (blank) {
    case Blank::OnDividend:
        form.Field(FieldKind::Box, p.dividend, true).Text(sjis::Divide).Text(Num(p.divisor));
        return form.Text(sjis::Equals).Text(Num(p.quotient)).Done();
    case Blank::OnDivisor:
        form.Text(WidthPad(p.dividend)).Text(Num(p.dividend)).Text(sjis::Divide).Field(FieldKind::Box, p.divisor);
        return form.Text(sjis::Equals).Text(Num(p.quotient)).Done();
    case Blank::None: break;
    }
    const bool known = mGroup >= 0 && mGroup < static_cast<int32_t>(Multipliers.size());
    const int64_t shown = p.dividend * (known ? Multipliers[static_cast<size_t>(mGroup)] : 1);
    form.Text(WidthPad(p.dividend)).Text(Num(shown)).Text(sjis::Divide).Text(Num(p.divisor));
    return form.Field(FieldKind::Quotient, p.divisor != 0 ? shown / p.divisor : 0).Done();
}

// The field as a sheet writes it, with `number` or left blank.
std::string FieldText(const AnswerField& field, std::optional<int64_t> number)
{
    switch (field.kind) {
    case FieldKind::Quotient:
        return number ? std::string(FieldLead(field.kind)) + Num(*number) : std::string();
    case FieldKind::Remainder:
        return number && *number != 0 ? std::string(FieldLead(field.kind)) + Num(*number) : std::string();
    case FieldKind::Box:
        if (!number)
            return "[ ]";
        return (field.padOneDigit && *number < 10 ? "[ " : "[") + Num(*number) + "]";
    }
    return {};
}

// The form as the question sheet shows it, its fields turned into text.
ProblemForm WithoutFields(const ProblemForm& form)
{
    FormBuilder fixed;
    for (const auto& piece : form.pieces) {
        if (const auto* field = std::get_if<AnswerField>(&piece))
            fixed.Text(FieldText(*field, std::nullopt));
        else
            fixed.Text(std::get<std::string>(piece));
    }
    ProblemForm done = fixed.Done();
    done.number = form.number;
    return done;
}

}  // namespace

std::string_view FieldLead(FieldKind kind)
{
    switch (kind) {
    case FieldKind::Quotient: return sjis::Equals;
    case FieldKind::Remainder: return sjis::Ellipsis;
    case FieldKind::Box: break;
    }
    return {};
}

int32_t NumberRestartLength(int32_t qNumCheck)
{
    if (qNumCheck < 0 || qNumCheck >= static_cast<int32_t>(RestartByItem.size()))
        return sjis::CircledNumeralCount;
    return RestartByItem[static_cast<size_t>(qNumCheck)];
}

ProblemForm FormOf(const SheetOptions& options, const ProblemList& list, int32_t i)
{
    if (i < 1 || i > ProblemCapacity)
        return {};
    const auto slot = static_cast<size_t>(i);
    ProblemForm form;
    if (IsTwoDigitMode(options.Amari)) {
        form = TwoDigitForm(options.Amari, list.Codes[slot], list.Divisors[slot]);
    } else {
        const TimesTableProblem p = Decode(list.Codes[slot]);
        form = TimesTableForm(p, BlankFor(options.rgSquare, list.BlankSide[slot]), options.MGroup);
        // A code below 10 divides by 0: there is no answer to show, so the
        // answer sheet repeats the question instead of filling in a number.
        if (p.divisor == 0)
            form = WithoutFields(form);
    }
    if (options.rgNum == 1)
        form.number = sjis::CircledNumeral((i - 1) % NumberRestartLength(options.QNumCheck) + 1);
    return form;
}

namespace {

// The form's pieces written one after another, the k-th field with
// number(k, field).
template <typename Number>
std::string Written(const ProblemForm& form, Number number)
{
    std::string text;
    size_t next = 0;
    for (const auto& piece : form.pieces) {
        if (const auto* field = std::get_if<AnswerField>(&piece))
            text += FieldText(*field, number(next++, *field));
        else
            text += std::get<std::string>(piece);
    }
    return text;
}

std::string Numbered(const ProblemForm& form, const std::string& body)
{
    return std::string(sjis::CutToBytes(form.number + body, MaxTextBytes));
}

}  // namespace

std::string WrittenBody(const ProblemForm& form, std::span<const std::optional<int64_t>> numbers)
{
    return Written(form, [&](size_t k, const AnswerField&) {
        return k < numbers.size() ? numbers[k] : std::nullopt;
    });
}

std::string WrittenText(const ProblemForm& form, std::span<const std::optional<int64_t>> numbers)
{
    return Numbered(form, WrittenBody(form, numbers));
}

std::string SheetText(const ProblemForm& form, bool answers)
{
    return Numbered(form, Written(form, [&](size_t, const AnswerField& field) {
        return answers ? std::optional<int64_t>(field.right) : std::nullopt;
    }));
}

FieldNumbers RightNumbers(const ProblemForm& form)
{
    FieldNumbers numbers;
    for (const auto& piece : form.pieces)
        if (const auto* field = std::get_if<AnswerField>(&piece))
            numbers.emplace_back(field->right);
    return numbers;
}

bool IsRight(const ProblemForm& form, std::span<const std::optional<int64_t>> numbers)
{
    return WrittenText(form, numbers) == SheetText(form, true);
}

}  // namespace zentavo
