#include "render/ProblemGrid.h"

#include "support/RecordingCanvas.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace zentavo {
namespace {

using test::CanvasCall;
using test::RecordingCanvas;

// An A4 page at 600 dpi: 15.5 times the reference page.
constexpr int32_t A4Width = 4960, A4Height = 7016;

// A list whose text n reads "#n", so that each drawn text tells its slot.
ProblemList NamedTexts(int32_t count)
{
    ProblemList list;
    list.Count = count;
    for (int32_t n = 1; n <= ProblemCapacity; ++n)
        list.Texts[n] = "#" + std::to_string(n);
    return list;
}

std::vector<CanvasCall> Draw(int32_t width, int32_t height, int32_t item, int32_t count)
{
    RecordingCanvas canvas;
    DrawProblemGrid(canvas, SheetScaler::ForTarget(width, height), width, item, NamedTexts(count));
    return canvas.Texts();
}

TEST(ProblemGrid, ShapeByCountItemAndCount)
{
    struct Case {
        int32_t item, count, columns, rows, pitch;
    };
    const Case cases[] = {
        {0, 9, 1, 9, 40},    {1, 10, 1, 10, 36},  {2, 18, 2, 9, 40},   {3, 20, 2, 10, 36},  {4, 27, 3, 9, 40},
        {5, 30, 3, 10, 36},  {6, 36, 4, 9, 40},   {7, 40, 4, 10, 36},  {8, 54, 3, 18, 20},  {9, 60, 3, 20, 18},
        {10, 72, 4, 18, 20}, {11, 80, 4, 20, 18}, {12, 36, 2, 18, 20}, {13, 40, 2, 20, 18},
        // the count item changed after the list was made
        {0, 80, 8, 10, 36},  {12, 10, 0, 20, 18}, {8, 27, 1, 18, 20},  {7, 9, 1, 9, 40},    {99, 9, 0, 18, 20},
        {-1, 80, 8, 10, 36}, {0, -5, 0, 10, 36},  {0, 0, 0, 9, 40},
    };
    for (const Case& c : cases) {
        const GridShape shape = GridShapeFor(c.item, c.count);
        EXPECT_EQ(shape.Columns, c.columns) << c.item << "/" << c.count;
        EXPECT_EQ(shape.Rows, c.rows) << c.item << "/" << c.count;
        EXPECT_EQ(shape.Pitch, c.pitch) << c.item << "/" << c.count;
    }
}

TEST(ProblemGrid, PlacesTextsDownEachColumnInTurn)
{
    struct Spot {
        size_t index;  // 0-based among the drawn texts
        int32_t x, y;
    };
    struct Case {
        int32_t width, height, item, count;
        size_t drawn;
        std::vector<Spot> spots;
    };
    const Case cases[] = {
        {320, 441, 7, 40, 40, {{0, 23, 70}, {9, 23, 394}, {10, 98, 70}, {39, 248, 394}}},
        {320, 441, 11, 80, 80, {{19, 23, 412}, {20, 98, 70}, {79, 248, 412}}},
        {320, 441, 0, 9, 9, {{0, 23, 70}, {1, 23, 110}, {8, 23, 390}}},
        {320, 441, 8, 54, 54, {{0, 23, 70}, {1, 23, 90}, {17, 23, 410}, {18, 123, 70}, {36, 223, 70}}},
        {320, 441, 13, 40, 40, {{19, 23, 412}, {20, 173, 70}}},
        // the column step comes from the whole width: (480 - 30) div 4 is 112
        {480, 2000, 7, 40, 40, {{0, 34, 105}, {1, 34, 159}, {9, 34, 591}, {10, 146, 105}, {20, 258, 105}, {39, 370, 591}}},
        // each row offset is scaled as one value: 88 + 22, 88 + 45, 88 + 68
        {400, 600, 9, 60, 60, {{0, 29, 88}, {1, 29, 110}, {2, 29, 133}, {3, 29, 156}, {20, 154, 88}, {40, 279, 88}}},
        {320, 441, 0, 80, 80, {{0, 23, 70}, {10, 60, 70}, {79, 282, 394}}},
        {320, 441, 8, 27, 18, {{17, 23, 410}}},
        {320, 441, 12, 10, 0, {}},
        {320, 441, 0, 1000, 80, {{79, 282, 394}}},  // no more than the list holds
        // the step truncates toward zero: (-1 - 20) div 4 is -5
        {-1, 441, 7, 40, 40, {{10, 18, 70}, {39, 8, 394}}},
        {std::numeric_limits<int32_t>::min(), 441, 0, 80, 80, {{79, 23 - 7 * 268435458, 394}}},
    };
    for (const Case& c : cases) {
        const std::vector<CanvasCall> texts = Draw(c.width, c.height, c.item, c.count);
        ASSERT_EQ(texts.size(), c.drawn) << c.width << " x " << c.height << ", item " << c.item;
        for (size_t t = 0; t < texts.size(); ++t)
            EXPECT_EQ(texts[t].text, "#" + std::to_string(t + 1));
        for (const Spot& spot : c.spots)
            EXPECT_EQ(texts[spot.index], CanvasCall::Text(spot.x, spot.y, "#" + std::to_string(spot.index + 1)))
                << c.width << " x " << c.height << ", item " << c.item;
    }
}

// A list of `count` texts of 4 bytes with one of `bytes` bytes in `slot`.
ProblemList OneWideText(int32_t count, int32_t slot, size_t bytes)
{
    ProblemList list;
    list.Count = count;
    for (int32_t n = 1; n <= ProblemCapacity; ++n)
        list.Texts[n] = "9\x81\x80" "9";  // 9÷9
    list.Texts[slot] = std::string(bytes, '8');
    return list;
}

// A text of b bytes at cell height h is b * h / 2 pixels wide; it must end
// before the next column (step less 3) and, in the last column, on the page.
TEST(ProblemGrid, CellHeightShrinksOnlyWhenTheWidestDrawnTextWouldNotFit)
{
    constexpr int32_t IntMin = std::numeric_limits<int32_t>::min();
    struct Case {
        int32_t width, height, item, count, slot;
        size_t bytes;
        int32_t expected;
    };
    const Case cases[] = {
        // four columns at 320: step 75, room 72, so 9 bytes at 16 fill 144 exactly
        {320, 441, 11, 80, 80, 9, 16},
        {320, 441, 11, 80, 80, 10, 14},  // one byte more: 144 div 10
        {320, 441, 11, 80, 1, 16, 9},
        {320, 441, 7, 40, 23, 12, 12},
        // at 260 the last column's x is 202: the page leaves 58, the step 59
        {260, 2000, 11, 80, 80, 8, 13},
        {260, 2000, 11, 80, 80, 9, 12},
        // 80 problems under the count item of 9: eight columns, step 37, room 34
        {320, 441, 0, 80, 80, 4, 16},
        {320, 441, 0, 80, 80, 5, 13},
        {320, 441, 0, 80, 5, 16, 4},
        // only the drawn slots count: 27 under a long-column item draw 18
        {320, 441, 10, 27, 18, 40, 14},
        {320, 441, 10, 27, 19, 40, 16},
        {320, 441, 12, 10, 1, 40, 16},  // no column at all
        {320, 441, 7, 40, 5, 0, 16},    // nothing but empty and short texts
        // no room at all still leaves a height of 1
        {-1, 441, 7, 40, 5, 1, 1},
        {IntMin, 441, 0, 80, 80, 16, 1},
        {A4Width, A4Height, 11, 80, 80, 9, 248},
        {A4Width, A4Height, 11, 80, 80, 10, 223},
    };
    for (const Case& c : cases) {
        const ProblemList list = OneWideText(c.count, c.slot, c.bytes);
        EXPECT_EQ(ProblemCellHeight(SheetScaler::ForTarget(c.width, c.height), c.width, c.item, list), c.expected)
            << c.width << " x " << c.height << ", item " << c.item << ", " << c.bytes << " bytes in slot " << c.slot;
    }
}

}  // namespace
}  // namespace zentavo
