#include "web/Solving.h"

#include "web/PageTable.h"

#include <algorithm>
#include <optional>

namespace zentavo {
namespace {

// Splits `text` at each `separator`.
std::vector<std::string_view> Split(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    for (size_t start = 0;;) {
        const size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string_view::npos)
            return parts;
        start = end + 1;
    }
}

// The numbers typed into a problem's fields; nullopt when a field holds
// anything but up to AnswerDigits half-width digits.
std::optional<FieldNumbers> ReadFields(std::string_view typed)
{
    FieldNumbers numbers;
    for (const std::string_view field : Split(typed, ',')) {
        if (field.size() > page::solve::AnswerDigits
            || !std::all_of(field.begin(), field.end(), [](char c) { return c >= '0' && c <= '9'; }))
            return std::nullopt;
        std::optional<int64_t> number;
        for (const char digit : field)
            number = number.value_or(0) * 10 + (digit - '0');
        numbers.push_back(number);
    }
    return numbers;
}

}  // namespace

Solving::Solving(const SheetOptions& options, const ProblemList& list, OriginOrWhy origin) : origin_(std::move(origin))
{
    const int32_t count = std::clamp(list.Count, 0, ProblemCapacity);
    for (int32_t i = 1; i <= count; ++i) {
        forms_.push_back(FormOf(options, list, i));
        problems_.push_back(i);
    }
}

const std::vector<bool>& Solving::Mark(std::string_view typed)
{
    const std::vector<std::string_view> answers = Split(typed, ';');
    marks_.assign(problems_.size(), false);
    for (size_t k = 0; k < problems_.size() && k < answers.size(); ++k) {
        const auto numbers = ReadFields(answers[k]);
        const ProblemForm& form = Form(problems_[k]);
        marks_[k] = numbers && numbers->size() <= RightNumbers(form).size() && IsRight(form, *numbers);
    }
    marked_ = true;
    if (round_ == 1) {
        firstCorrect_ = Correct();
        firstMarks_.clear();
        for (const bool right : marks_)
            firstMarks_ += right ? RightLetter : WrongLetter;
    }
    return marks_;
}

int32_t Solving::Correct() const
{
    return static_cast<int32_t>(std::count(marks_.begin(), marks_.end(), true));
}

bool Solving::Retry()
{
    if (!marked_ || Done())
        return false;
    std::vector<int32_t> wrong;
    for (size_t k = 0; k < problems_.size(); ++k)
        if (!marks_[k])
            wrong.push_back(problems_[k]);
    problems_ = std::move(wrong);
    marks_.clear();
    marked_ = false;
    ++round_;
    return true;
}

}  // namespace zentavo
