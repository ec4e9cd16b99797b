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

}  // namespace
}  // namespace zentavo
