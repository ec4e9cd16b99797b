#include "sheetset/SheetSet.h"

#include "generation/GenerateProblems.h"
#include "generation/RunState.h"
#include "render/MakePrint.h"
#include "support/RecordingCanvas.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <vector>

namespace zentavo {
namespace {

using test::CanvasCall;
using test::RecordingCanvas;

constexpr int32_t A4Width = 9921;  // A4 at 1200 dpi, no margins
constexpr int32_t A4Height = 14031;

// Keeps every page's calls.
class RecordingPages : public PageSink {
public:
    std::deque<RecordingCanvas> canvases;

    SheetCanvas& NextPage(const SetPage&) override { return canvases.emplace_back(); }
};

SheetOptions Options(int32_t dans, int32_t countItem, int32_t mode = 0)
{
    SheetOptions options;
    options.DanMask = dans;
    options.QNumCheck = countItem;
    options.Amari = mode;
    return options;
}

// The window pressing Preview `sheets` times from `seed`, each sheet drawn on
// a page (answer sheet first, as Preview does) and printed with the next
// print number.
std::vector<std::vector<CanvasCall>> WindowPreviews(const SheetOptions& options, uint32_t seed, int32_t sheets,
                                                    int32_t printNumber)
{
    RunState run;
    run.Random.RandomSeed = seed;
    std::vector<std::vector<CanvasCall>> pages;
    for (int32_t k = 0; k < sheets; ++k) {
        EXPECT_EQ(GenerateProblems(options, run.Problems, run.Random), GenerateResult::Generated);
        RecordingCanvas answers;
        RecordingCanvas questions;
        MakePrint(answers, A4Width, A4Height, 1, options, run.Problems, printNumber + k);
        MakePrint(questions, A4Width, A4Height, 0, options, run.Problems, printNumber + k);
        pages.push_back(questions.calls);
        pages.push_back(answers.calls);
    }
    return pages;
}

TEST(SheetSet, SheetKIsTheWindowsKthPreviewFromTheSameSeed)
{
    SheetOptions shuffled = Options(0x3FC, 9);  // dans 2 to 9; 60 problems
    shuffled.RandomCheck = 1;
    shuffled.ImportantDan = 4;
    shuffled.JousuuCheck = 1;
    shuffled.rgNum = 1;
    SheetOptions blanks = Options(0x124, 3);  // dans 2, 5, 8; 20 problems
    blanks.rgSquare = 3;
    const SheetOptions twoDigit = Options(0x3FE, 11, 6);
    for (const SheetOptions& options : {shuffled, blanks, twoDigit}) {
        for (const uint32_t seed : {0u, 12345u, UINT32_MAX}) {
            SetRequest set{options, 20, 4, AnswerPages::AfterEach, seed};
            RecordingPages pages;
            DrawSet(set, seed, A4Width, A4Height, pages);
            const auto window = WindowPreviews(options, seed, 4, 20);
            ASSERT_EQ(pages.canvases.size(), window.size());
            for (size_t page = 0; page < window.size(); ++page)
                EXPECT_EQ(pages.canvases[page].calls, window[page]) << "seed " << seed << ", page " << page + 1;
        }
    }
}

}  // namespace
}  // namespace zentavo
