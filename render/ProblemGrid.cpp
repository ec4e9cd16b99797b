#include "render/ProblemGrid.h"

#include <algorithm>
#include <limits>

namespace zentavo {
namespace {

constexpr int32_t GridLeft = 23;
constexpr int32_t GridTop = 70;
constexpr int32_t RightReserve = 20;
constexpr int32_t ColumnGap = 3;  // kept clear before the next column
constexpr int32_t ProblemFontHeight = 16;
constexpr int32_t LastShortItem = 7;  // items after it use the long columns

struct ShapeRule {
    int32_t rows;
    int32_t pitch;
};
// [long columns][count is not a multiple of 9]
constexpr ShapeRule ShapeRules[2][2] = {
    {{9, 40}, {10, 36}},
    {{18, 20}, {20, 18}},
};

int32_t ToInt32(int64_t v)
{
    return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

}  // namespace

GridShape GridShapeFor(int32_t qNumCheck, int32_t count)
{
    const ShapeRule rule = ShapeRules[qNumCheck > LastShortItem ? 1 : 0][count % 9 != 0 ? 1 : 0];
    return {rule.rows, count / rule.rows, rule.pitch};
}

namespace {

// Where the grid's columns stand on one sheet.
struct GridLayout {
    GridShape shape;
    int64_t left;        // x of the first column
    int64_t top;         // y of the first row
    int64_t columnStep;  // from one column's x to the next
};

GridLayout LayoutFor(const SheetScaler& scaler, int32_t width, int32_t qNumCheck, const ProblemList& list)
{
    const GridShape shape = GridShapeFor(qNumCheck, std::min(list.Count, ProblemCapacity));
    const int64_t columnStep =
        shape.Columns > 0 ? (static_cast<int64_t>(width) - scaler.ScaleCoord(RightReserve)) / shape.Columns : 0;
    return {shape, scaler.ScaleCoord(GridLeft), scaler.ScaleCoord(GridTop), columnStep};
}

// The width a text may take: up to the gap before the next column, and in
// the last column no further than the page's right edge.
int64_t TextRoom(const SheetScaler& scaler, int32_t width, const GridLayout& grid)
{
    const int64_t lastColumnX = grid.left + (grid.shape.Columns - 1) * grid.columnStep;
    return std::min(grid.columnStep - scaler.ScaleCoord(ColumnGap), width - lastColumnX);
}

// Bytes of the longest text in the slots the grid draws.
int64_t WidestDrawnText(const ProblemList& list, const GridShape& shape)
{
    size_t widest = 0;
    for (int32_t n = 1; n <= shape.Columns * shape.Rows; ++n)
        widest = std::max(widest, list.Texts[static_cast<size_t>(n)].size());
    return static_cast<int64_t>(widest);
}

// Rounds toward minus infinity; `divisor` > 0.
int64_t FloorDivide(int64_t value, int64_t divisor)
{
    const int64_t quotient = value / divisor;
    return quotient * divisor > value ? quotient - 1 : quotient;
}

// `standard` when `bytes` bytes at that height (bytes * height / 2 pixels)
// fit in `room`; else the largest height at which they do, at least 1.
int32_t HeightToFit(int32_t standard, int64_t room, int64_t bytes)
{
    if (bytes <= 0)
        return standard;
    const int64_t largest = FloorDivide(2 * room, bytes);
    return standard <= largest ? standard : static_cast<int32_t>(std::max<int64_t>(largest, 1));
}

}  // namespace

int32_t ProblemCellHeight(const SheetScaler& scaler, int32_t width, int32_t qNumCheck, const ProblemList& list)
{
    const int32_t standard = scaler.ScaleCoord(ProblemFontHeight);
    const GridLayout grid = LayoutFor(scaler, width, qNumCheck, list);
    if (grid.shape.Columns <= 0)
        return standard;
    return HeightToFit(standard, TextRoom(scaler, width, grid), WidestDrawnText(list, grid.shape));
}

void DrawProblemGrid(SheetCanvas& canvas, const SheetScaler& scaler, int32_t width,
                     int32_t qNumCheck, const ProblemList& list)
{
    const GridLayout grid = LayoutFor(scaler, width, qNumCheck, list);
    const GridShape& shape = grid.shape;
    for (int32_t c = 1; c <= shape.Columns; ++c) {
        for (int32_t r = 1; r <= shape.Rows; ++r) {
            const int32_t n = (c - 1) * shape.Rows + r;
            const int64_t x = grid.left + (c - 1) * grid.columnStep;
            const int64_t y = grid.top + scaler.ScaleCoord(static_cast<double>(r - 1) * shape.Pitch);
            canvas.PutText(ToInt32(x), ToInt32(y), list.Texts[static_cast<size_t>(n)]);
        }
    }
}

}  // namespace zentavo
