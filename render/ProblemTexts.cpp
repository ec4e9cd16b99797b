#include "render/ProblemTexts.h"

#include <algorithm>

namespace zentavo {
namespace {

// The question sheet writes no number into a field, the answer sheet the
// right one.
FieldNumbers SheetNumbers(const ProblemForm& form, bool answers)
{
    return answers ? RightNumbers(form) : FieldNumbers{};
}

}  // namespace

std::string ProblemText(const SheetOptions& options, const ProblemList& list, int32_t i, bool answers)
{
    const ProblemForm form = FormOf(options, list, i);
    return WrittenBody(form, SheetNumbers(form, answers));
}

void MakeProblemTexts(const SheetOptions& options, ProblemList& list, int32_t Answers)
{
    const int32_t count = std::min(list.Count, ProblemCapacity);
    for (int32_t i = 1; i <= count; ++i) {
        const ProblemForm form = FormOf(options, list, i);
        list.Texts[static_cast<size_t>(i)] = WrittenText(form, SheetNumbers(form, Answers != 0));
    }
}

}  // namespace zentavo
