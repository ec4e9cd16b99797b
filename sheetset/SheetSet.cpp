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
    SheetSequence(const SetRequest& set, uint32_t seed)
        : set_(set)
    {
        run_.Random.RandomSeed = seed;
        run_.PrintNumber = set.firstPrintNumber;
    }

    // Draws the next sheet's problems; the first call draws sheet 1.
    void Next()
    {
        if (sheet_ > 0)
            run_.PrintNumber = NextPrintNumber(run_.PrintNumber);
        ++sheet_;
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
    RunState run_;
    int32_t sheet_ = 0;
};

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
    SheetSequence sheets(set, seed);
    for (int32_t k = 1; k <= set.sheets; ++k) {
        sheets.Next();
        sheets.Draw(sink, QuestionSheet, width, height);
        if (set.answers == AnswerPages::AfterEach)
            sheets.Draw(sink, AnswerSheet, width, height);
    }
    if (set.answers != AnswerPages::AtEnd)
        return;
    // The same sheets again from the same seed: nothing of the set is held.
    SheetSequence again(set, seed);
    for (int32_t k = 1; k <= set.sheets; ++k) {
        again.Next();
        again.Draw(sink, AnswerSheet, width, height);
    }
}

}  // namespace zentavo
