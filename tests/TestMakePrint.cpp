#include "render/MakePrint.h"

#include "render/ProblemGrid.h"
#include "render/ShiftJis.h"
#include "support/RecordingCanvas.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace zentavo {
namespace {

using test::CanvasCall;
using test::RecordingCanvas;

constexpr int32_t IntMin = std::numeric_limits<int32_t>::min();
constexpr int32_t IntMax = std::numeric_limits<int32_t>::max();

const std::string Mincho = "\x82\x6c\x82\x72\x20\x96\xbe\x92\xa9";                  // ＭＳ 明朝
const std::string Gothic = "\x82\x6c\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4e";  // ＭＳ ゴシック
const std::string Title = "\x82\xed\x82\xe8\x82\xb4\x82\xf1\x8b\xe3\x8b\xe3";      // わりざん九九
const std::string NumberLabel = "\x96\xe2\x91\xe8No.";                              // 問題No.
const std::string Instruction = "\x8c\x76\x8e\x5a\x82\xb5\x82\xdc\x82\xb5\x82\xe5\x82\xa4";  // 計算しましょう
const std::string Div = "\x81\x80";
const std::string Eq = "\x81\x81";

// （ eleven ideographic spaces ）
std::string NameBox()
{
    std::string box = "\x81\x69";
    for (int i = 0; i < 11; ++i)
        box += "\x81\x40";
    return box + "\x81\x6a";
}

// Everything before the problem texts, for one set of scaled values.
struct Header {
    int32_t right, bottom;                       // the white rectangle
    int32_t small, nameBox, instruction, problem;  // font heights of 6, 14, 12 and 16
    int32_t x14, y10, x64, x140, y20, y40;
};

std::vector<CanvasCall> HeaderCalls(const Header& h, const std::string& printNumber)
{
    return {
        CanvasCall::Style(BrushStyle::bsSolid), CanvasCall::Brush(0xFFFFFF), CanvasCall::Pen(0xFFFFFF),
        CanvasCall::Rect(0, 0, h.right, h.bottom),
        CanvasCall::Pen(0x000000), CanvasCall::Style(BrushStyle::bsClear),
        CanvasCall::Font(Gothic), CanvasCall::Height(h.small), CanvasCall::Text(h.x14, h.y10, Title),
        CanvasCall::Font(Mincho), CanvasCall::Height(h.small), CanvasCall::Text(h.x64, h.y10, NumberLabel + printNumber),
        CanvasCall::Height(h.nameBox), CanvasCall::Text(h.x140, h.y20, NameBox()),
        CanvasCall::Height(h.instruction), CanvasCall::Text(h.x14, h.y40, Instruction),
        CanvasCall::Height(h.problem),
    };
}

const Header Preview = {319, 440, 6, 14, 12, 16, 14, 10, 64, 140, 20, 40};

TEST(MakePrint, DrawsThePreviewQuestionSheetCallByCall)
{
    SheetOptions options;
    options.QNumCheck = 0;
    ProblemList list;
    list.Count = 9;
    const int32_t codes[] = {69, 24, 37, 40, 11, 10, 99, 90, 58};
    for (int32_t i = 0; i < 9; ++i)
        list.Codes[i + 1] = codes[i];
    RecordingCanvas canvas;
    MakePrint(canvas, 320, 441, 0, options, list, 12);

    std::vector<CanvasCall> expected = HeaderCalls(Preview, "12");
    const char* const dividends[] = {"54", " 8", "21", " 0", " 1", " 0", "81", " 0", "40"};
    const char* const divisors[] = {"6", "2", "3", "4", "1", "1", "9", "9", "5"};
    for (int32_t r = 0; r < 9; ++r)
        expected.push_back(CanvasCall::Text(23, 70 + 40 * r, dividends[r] + Div + divisors[r]));
    EXPECT_THAT(canvas.calls, testing::ElementsAreArray(expected));
    EXPECT_EQ(list.Texts[9], "40\x81\x80" "5");
}

TEST(MakePrint, AnswerSheetRewritesTheTexts)
{
    SheetOptions options;
    options.QNumCheck = 0;
    ProblemList list;
    list.Count = 9;
    list.Codes.fill(69);
    RecordingCanvas canvas;
    MakePrint(canvas, 320, 441, 0, options, list, 1);
    MakePrint(canvas, 320, 441, 1, options, list, 1);
    EXPECT_EQ(list.Texts[1], "54" + Div + "6" + Eq + "9");
    EXPECT_EQ(canvas.calls.back(), CanvasCall::Text(23, 390, "54" + Div + "6" + Eq + "9"));
}

TEST(MakePrint, ScalesTheHeaderToTheTarget)
{
    struct Case {
        int32_t width, height;
        Header header;
    };
    const Case cases[] = {
        {480, 2000, {478, 660, 9, 21, 18, 24, 21, 15, 96, 210, 30, 60}},
        {640, 882, {638, 880, 12, 28, 24, 32, 28, 20, 128, 280, 40, 80}},
        {4960, 7016, {4944, 6820, 93, 217, 186, 248, 217, 155, 992, 2170, 310, 620}},
        {400, 600, {399, 550, 8, 18, 15, 20, 18, 12, 80, 175, 25, 50}},
        {0, 5000, Preview},
        {-7, 0, Preview},
        {IntMin, IntMax, Preview},
        {500, 0, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        ProblemList list;
        RecordingCanvas canvas;
        MakePrint(canvas, c.width, c.height, 0, SheetOptions{}, list, 3);
        EXPECT_THAT(canvas.calls, testing::ElementsAreArray(HeaderCalls(c.header, "3"))) << c.width << " x " << c.height;
    }
}

TEST(MakePrint, PrintNumberInPlainDigits)
{
    const std::pair<int32_t, std::string> cases[] = {
        {1, "1"}, {100, "100"}, {0, "0"}, {-7, "-7"}, {IntMin, "-2147483648"}, {IntMax, "2147483647"}};
    for (const auto& [number, digits] : cases) {
        ProblemList list;
        RecordingCanvas canvas;
        MakePrint(canvas, 320, 441, 1, SheetOptions{}, list, number);
        EXPECT_EQ(canvas.Texts().at(1), CanvasCall::Text(64, 10, NumberLabel + digits));
    }
}

TEST(MakePrint, EmptyListDrawsTheHeaderOnly)
{
    for (int32_t count : {0, -5, IntMin}) {
        ProblemList list;
        list.Count = count;
        list.Texts[1] = "old";
        RecordingCanvas canvas;
        MakePrint(canvas, 320, 441, 1, SheetOptions{}, list, 1);
        EXPECT_THAT(canvas.calls, testing::ElementsAreArray(HeaderCalls(Preview, "1")));
        EXPECT_EQ(list.Texts[1], "old");
    }
}

// One list, filled with one problem: a times-table code, or a two-digit
// dividend over a divisor.
ProblemList Filled(int32_t count, int32_t code, int32_t divisor = 0)
{
    ProblemList list;
    list.Count = count;
    list.Codes.fill(code);
    list.Divisors.fill(divisor);
    return list;
}

// The whole sheet is drawn as before, call for call, but for the one
// font-height call before the problem texts, which shrinks just enough for
// the widest text to stay in its column and on the page.
TEST(MakePrint, ProblemHeightShrinksOnlyWhereTheWidestTextWouldNotFit)
{
    const SheetOptions twoDigit{.QNumCheck = 11, .Amari = 1};
    const SheetOptions numberedBlank{.QNumCheck = 11, .rgNum = 1, .rgSquare = 1};
    const SheetOptions nineItem{.QNumCheck = 0};

    const Header A4 = {4944, 6820, 93, 217, 186, 248, 217, 155, 992, 2170, 310, 620};
    struct Case {
        const char* what;
        int32_t width, height;
        Header header;
        SheetOptions options;
        ProblemList list;
        int32_t answers, problemHeight;
    };
    const Case cases[] = {
        // 84÷4＝21 is 9 bytes: 72 px at 16 in a room of 72, 2232 at 248 in 1116
        {"exact fit", 320, 441, Preview, twoDigit, Filled(80, 84, 4), 1, 16},
        {"exact fit on A4", 4960, 7016, A4, twoDigit, Filled(80, 84, 4), 1, 248},
        {"numbered questions", 320, 441, Preview, numberedBlank, Filled(80, 69), 0, 13},  // ①[ ]÷6＝9, 11 bytes
        {"numbered answers", 320, 441, Preview, numberedBlank, Filled(80, 69), 1, 12},    // ①[54]÷6＝9, 12
        // 80 problems drawn after the count item was changed to 　９問: eight
        // columns of 10, step 37, room 34; 54÷6 is 5 bytes
        {"changed count item", 320, 441, Preview, nineItem, Filled(80, 69), 0, 13},
        {"nine fit", 320, 441, Preview, nineItem, Filled(9, 69), 1, 16},
    };
    for (const Case& c : cases) {
        ProblemList list = c.list;
        RecordingCanvas canvas;
        // The other sheet first: the height must follow the texts drawn now.
        MakePrint(canvas, c.width, c.height, 1 - c.answers, c.options, list, 5);
        canvas.calls.clear();
        MakePrint(canvas, c.width, c.height, c.answers, c.options, list, 5);

        Header header = c.header;
        header.problem = c.problemHeight;
        std::vector<CanvasCall> expected = HeaderCalls(header, "5");
        RecordingCanvas grid;
        DrawProblemGrid(grid, SheetScaler::ForTarget(c.width, c.height), c.width, c.options.QNumCheck, list);
        expected.insert(expected.end(), grid.calls.begin(), grid.calls.end());
        EXPECT_THAT(canvas.calls, testing::ElementsAreArray(expected)) << c.what;
    }
}

// Any list and any options draw at most the 80 problems of the list, in
// texts of at most 16 bytes, without undefined behaviour.
TEST(MakePrint, HostileInputsStayInBounds)
{
    const int32_t values[] = {IntMin, -99, -5, -1, 0, 1, 2, 3, 7, 8, 9, 13, 14, 80, 99, 1000, IntMax};
    const int32_t sizes[] = {IntMin, -1, 0, 1, 320, 441, 4960, IntMax};
    uint32_t seed = 1;
    const auto pick = [&seed](const auto& from) {
        seed = seed * 134775813u + 1u;
        return from[(static_cast<uint64_t>(seed) * std::size(from)) >> 32];
    };
    for (int run = 0; run < 3000; ++run) {
        SheetOptions options;
        options.QNumCheck = pick(values);
        options.rgNum = pick(values) & 1;
        options.rgSquare = pick(values);
        options.MGroup = pick(values);
        options.Amari = pick(values);
        ProblemList list;
        list.Count = pick(values);
        for (int32_t i = 0; i <= ProblemCapacity; ++i) {
            list.Codes[i] = pick(values);
            list.Divisors[i] = pick(values);
            list.BlankSide[i] = pick(values);
        }
        RecordingCanvas canvas;
        const int32_t width = pick(sizes), height = pick(sizes);
        MakePrint(canvas, width, height, pick(values), options, list, pick(values));
        // The problems' height is the standard one or a smaller positive one.
        const CanvasCall& problemHeight = canvas.calls.at(16);
        const int32_t standard = SheetScaler::ForTarget(width, height).ScaleCoord(16);
        ASSERT_EQ(problemHeight.kind, CanvasCall::Kind::FontHeight);
        ASSERT_TRUE(problemHeight.a == standard || (problemHeight.a >= 1 && problemHeight.a < standard))
            << problemHeight.a << " against " << standard;
        const std::vector<CanvasCall> texts = canvas.Texts();
        ASSERT_GE(texts.size(), 4u);
        ASSERT_LE(texts.size(), 4u + ProblemCapacity);
        for (size_t t = 4; t < texts.size(); ++t)
            ASSERT_LE(texts[t].text.size(), 16u) << test::HexBytes(texts[t].text);
    }
}

}  // namespace
}  // namespace zentavo
