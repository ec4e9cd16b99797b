#include "render/ProblemGrid.h"

#include <algorithm>
#include <limits>

namespace zentavo {
namespace {

constexpr int32_t GridLeft = 23;
constexpr int32_t GridTop = 70;
constexpr int32_t RightReserve = 20;
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

void DrawProblemGrid(SheetCanvas& canvas, const SheetScaler& scaler, int32_t width,
                     int32_t qNumCheck, const ProblemList& list)
{
    const GridShape shape = GridShapeFor(qNumCheck, std::min(list.Count, ProblemCapacity));
    if (shape.Columns <= 0)
        return;
    const int64_t columnStep = (static_cast<int64_t>(width) - scaler.ScaleCoord(RightReserve)) / shape.Columns;
    const int64_t left = scaler.ScaleCoord(GridLeft);
    const int64_t top = scaler.ScaleCoord(GridTop);
    for (int32_t c = 1; c <= shape.Columns; ++c) {
        for (int32_t r = 1; r <= shape.Rows; ++r) {
            const int32_t n = (c - 1) * shape.Rows + r;
            const int64_t x = left + (c - 1) * columnStep;
            const int64_t y = top + scaler.ScaleCoord(static_cast<double>(r - 1) * shape.Pitch);
            canvas.PutText(ToInt32(x), ToInt32(y), list.Texts[static_cast<size_t>(n)]);
        }
    }
}

}  // namespace zentavo
