#include "sheetset/SheetSet.h"

#include "generation/GenerateProblems.h"
#include "generation/RunState.h"
#include "render/MakePrint.h"
#include "window/controls/PrintNumber.h"

#include <stdexcept>

namespace zentavo {
namespace {

// The sheets of a set in order, each drawn as the window's next Preview.
class SheetSequence {
public:
    SheetSequence(const SetRequest& set, uint32_t seed, const ProblemList* first)
        : set_(set), first_(first)
    {
        run_.Random.RandomSeed = seed;
        run_.PrintNumber = set.firstPrintNumber;
    }

    // Moves to the next sheet; the first call gives sheet 1, which is
    // `first` where the set begins with a drawn sheet.
    void Next()
    {
        if (sheet_ > 0)
            run_.PrintNumber = NextPrintNumber(run_.PrintNumber);
        ++sheet_;
        if (sheet_ == 1 && first_) {
            run_.Problems = *first_;
            return;
        }
        if (GenerateProblems(set_.sheet, run_.Problems, run_.Random) != GenerateResult::Generated)
            throw std::logic_error("the options cannot make a sheet");
    }

    void Draw(PageSink& sink, int32_t answers, int32_t width, int32_t height)
    {
        SheetCanvas& canvas = sink.NextPage({sheet_, answers, run_.PrintNumber});
        MakePrint(canvas, width, height, answers, set_.sheet, run_.Problems, run_.PrintNumber);
    }

private:
    const SetRequest& set_;
    const ProblemList* first_;
    RunState run_;
    int32_t sheet_ = 0;
};

void DrawSheets(const SetRequest& set, uint32_t random, const ProblemList* first, int32_t width, int32_t height,
                PageSink& sink)
{
    SheetSequence sheets(set, random, first);
    for (int32_t k = 1; k <= set.sheets; ++k) {
        sheets.Next();
        sheets.Draw(sink, QuestionSheet, width, height);
        if (set.answers == AnswerPages::AfterEach)
            sheets.Draw(sink, AnswerSheet, width, height);
    }
    if (set.answers != AnswerPages::AtEnd)
        return;
    // The same sheets again from the same start: nothing of the set is held.
    SheetSequence again(set, random, first);
    for (int32_t k = 1; k <= set.sheets; ++k) {
        again.Next();
        again.Draw(sink, AnswerSheet, width, height);
    }
}

}  // namespace

bool CanMakeSheets(const SheetOptions& options)
{
    // Feasibility depends on the options alone, and a refused draw changes
    // neither the list nor the random source.
    ProblemList list;
    RandomSource random;
    return GenerateProblems(options, list, random) == GenerateResult::Generated;
}

int64_t PageCount(const SetRequest& set)
{
    return int64_t{set.sheets} * (set.answers == AnswerPages::None ? 1 : 2);
}

void DrawSet(const SetRequest& set, uint32_t seed, int32_t width, int32_t height, PageSink& sink)
{
    DrawSheets(set, seed, nullptr, width, height, sink);
}

void DrawSet(const SetRequest& set, const DrawnSheet& first, int32_t width, int32_t height, PageSink& sink)
{
    DrawSheets(set, first.randomAfter, &first.problems, width, height, sink);
}

}  // namespace zentavo
