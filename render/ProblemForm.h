#pragma once

#include "generation/ProblemList.h"
#include "generation/SheetOptions.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace zentavo {

// A sheet's text is at most this many bytes.
inline constexpr size_t MaxTextBytes = 16;

// Where the answer sheet writes a number into a problem's question.
enum class FieldKind {
    Quotient,   // after the question, as ＝q
    Box,        // inside the blank [ ]
    Remainder,  // after the quotient, as …r, and only when r is not 0
};

struct AnswerField {
    FieldKind kind;
    int64_t right;             // what the answer sheet writes there
    bool padOneDigit = false;  // a one-digit number is written after a blank, as [ 8]
};

// Up to N values kept in place, so that the forms of a sheet's problems
// allocate nothing (texts of a sheet fit a string's own room).
template <typename T, size_t N>
class SmallList {
public:
    template <typename... Args>
    T& emplace_back(Args&&... args)
    {
        values_.at(size_) = T(std::forward<Args>(args)...);
        return values_[size_++];
    }
    T& back() { return values_[size_ - 1]; }
    bool empty() const { return size_ == 0; }
    size_t size() const { return size_; }
    const T* begin() const { return values_.data(); }
    const T* end() const { return values_.data() + size_; }

private:
    std::array<T, N> values_{};
    size_t size_ = 0;
};

// One problem as the sheets write it: the circled number in front (empty
// without numbering), then its Shift-JIS texts and answer fields in order
// (at most three: a text, a field and a text, or a text and two fields).
// A problem without an answer to show (a divisor of 0) has no fields.
struct ProblemForm {
    std::string number;
    SmallList<std::variant<std::string, AnswerField>, 3> pieces;
};

// A number written into each field of a form, in order; nullopt, or no
// number at all past the end, leaves the field as the question sheet shows it.
using FieldNumbers = std::vector<std::optional<int64_t>>;

// Problem i (1-based) of the list under the options in force; no pieces when
// i is not a slot of the list (1..80).
ProblemForm FormOf(const SheetOptions& options, const ProblemList& list, int32_t i);

// The one writer of the sheets' problem texts: the form with `numbers`
// written into its fields, the number in front, cut to a sheet text's bytes.
// No numbers give the question sheet's text, RightNumbers the answer sheet's.
std::string WrittenText(const ProblemForm& form, std::span<const std::optional<int64_t>> numbers);
// The same without the number in front and uncut.
std::string WrittenBody(const ProblemForm& form, std::span<const std::optional<int64_t>> numbers);

// What the answer sheet writes in front of a field's number: ＝ before the
// quotient, … before the remainder, nothing in a box.
std::string_view FieldLead(FieldKind kind);

// The question sheet's text of the form (answers false) or the answer
// sheet's, as WrittenText writes it.
std::string SheetText(const ProblemForm& form, bool answers);

// What the answer sheet writes into each field.
FieldNumbers RightNumbers(const ProblemForm& form);
// True when `numbers` make exactly the answer sheet's text.
bool IsRight(const ProblemForm& form, std::span<const std::optional<int64_t>> numbers);

// After how many problems the circled numbering starts again at 1.
int32_t NumberRestartLength(int32_t qNumCheck);

}  // namespace zentavo
