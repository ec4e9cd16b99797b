#include "sheetset/SheetSet.h"

#include "generation/GenerateProblems.h"
#include "generation/RunState.h"
#include "render/MakePrint.h"
#include "support/RecordingCanvas.h"

#include <gtest/gtest.h>

#include <climits>
#include <deque>
#include <vector>

namespace zentavo {
namespace {

using test::CanvasCall;
using test::RecordingCanvas;

constexpr int32_t A4Width = 9921;  // A4 at 1200 dpi, no margins
constexpr int32_t A4Height = 14031;

struct RecordedPage {
    SetPage page;
    std::vector<CanvasCall> calls;
};

// Keeps every page's calls.
class RecordingPages : public PageSink {
public:
    std::deque<RecordingCanvas> canvases;
    std::vector<SetPage> pages;

    SheetCanvas& NextPage(const SetPage& page) override
    {
        pages.push_back(page);
        return canvases.emplace_back();
    }

    std::vector<CanvasCall> Calls(size_t page) const { return canvases.at(page).calls; }
};

RecordingPages Drawn(const SetRequest& set, uint32_t seed)
{
    RecordingPages pages;
    DrawSet(set, seed, A4Width, A4Height, pages);
    return pages;
}

SetRequest Set(const SheetOptions& sheet, int32_t sheets, AnswerPages answers, int32_t firstPrintNumber = 1)
{
    SetRequest set;
    set.sheet = sheet;
    set.sheets = sheets;
    set.answers = answers;
    set.firstPrintNumber = firstPrintNumber;
    return set;
}

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
            const RecordingPages set = Drawn(Set(options, 4, AnswerPages::AfterEach, 20), seed);
            const auto window = WindowPreviews(options, seed, 4, 20);
            ASSERT_EQ(set.canvases.size(), window.size());
            for (size_t page = 0; page < window.size(); ++page)
                EXPECT_EQ(set.Calls(page), window[page]) << "seed " << seed << ", page " << page + 1;
        }
    }
}

TEST(SheetSet, PagesComeInTheAskedOrderWithTheSheetsPrintNumbers)
{
    const int32_t last = INT32_MAX;
    const struct {
        AnswerPages answers;
        std::vector<SetPage> pages;
    } cases[] = {
        {AnswerPages::None, {{1, 0, last - 1}, {2, 0, last}, {3, 0, last}}},
        {AnswerPages::AfterEach,
         {{1, 0, last - 1}, {1, 1, last - 1}, {2, 0, last}, {2, 1, last}, {3, 0, last}, {3, 1, last}}},
        {AnswerPages::AtEnd,
         {{1, 0, last - 1}, {2, 0, last}, {3, 0, last}, {1, 1, last - 1}, {2, 1, last}, {3, 1, last}}},
    };
    for (const auto& expected : cases) {
        const SetRequest set = Set(Options(0x8, 0), 3, expected.answers, last - 1);
        EXPECT_EQ(Drawn(set, 7).pages, expected.pages);
        EXPECT_EQ(PageCount(set), static_cast<int64_t>(expected.pages.size()));
    }
}

TEST(SheetSet, AnswersAtTheEndAreTheAnswersOfTheSameSheets)
{
    SheetOptions options = Options(0x3FE, 5);
    options.RandomCheck = 1;
    const RecordingPages afterEach = Drawn(Set(options, 3, AnswerPages::AfterEach), 99);
    const RecordingPages atEnd = Drawn(Set(options, 3, AnswerPages::AtEnd), 99);
    for (size_t sheet = 0; sheet < 3; ++sheet) {
        EXPECT_EQ(atEnd.Calls(sheet), afterEach.Calls(2 * sheet)) << sheet;
        EXPECT_EQ(atEnd.Calls(3 + sheet), afterEach.Calls(2 * sheet + 1)) << sheet;
    }
}

TEST(SheetSet, TooFewDansForTheCountIsFoundBeforeDrawing)
{
    const std::pair<SheetOptions, bool> cases[] = {
        {Options(0x88, 3), false},  // 2 dans cannot make 20 problems
        {Options(0x88, 2), true},   // but 18
        {Options(0x0, 0), false},   // no dan at all
        {Options(0x2, 11, 1), true},  // a two-digit mode needs only a dan
    };
    for (const auto& [options, feasible] : cases)
        EXPECT_EQ(CanMakeSheets(options), feasible) << options.DanMask << " " << options.QNumCheck;
    SheetOptions withZero = Options(0x88, 3);
    withZero.JousuuCheck = 1;  // ten problems per dan
    EXPECT_TRUE(CanMakeSheets(withZero));
}

}  // namespace
}  // namespace zentavo
