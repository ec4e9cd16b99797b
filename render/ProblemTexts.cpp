#include "render/ProblemTexts.h"

#include <algorithm>

namespace zentavo {
std::string ProblemText(const SheetOptions& options, const ProblemList& list, int32_t i, bool answers)
{
    const ProblemForm form = FormOf(options, list, i);
    return WrittenBody(form, answers ? RightNumbers(form) : FieldNumbers{});
}

void MakeProblemTexts(const SheetOptions& options, ProblemList& list, int32_t Answers)
{
    const int32_t count = std::min(list.Count, ProblemCapacity);
    for (int32_t i = 1; i <= count; ++i) {
        const ProblemForm form = FormOf(options, list, i);
        list.Texts[static_cast<size_t>(i)] = SheetText(form, Answers != 0);
    }
}

}  // namespace zentavo
