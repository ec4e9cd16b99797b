#pragma once

#include "generation/ProblemList.h"
#include "render/SheetCanvas.h"
#include "render/SheetScale.h"

#include <cstdint>

namespace zentavo {

struct GridShape {
    int32_t Rows;     // rows per column
    int32_t Columns;
    int32_t Pitch;    // row pitch in reference units
};

// The columns, rows and pitch for a count item and the generated count.
GridShape GridShapeFor(int32_t qNumCheck, int32_t count);

// The cell height the grid's texts are drawn in on a page `width` pixels wide:
// the standard 16 scaled, or, where the widest of the drawn texts would run
// into the next column or off the page at that height, the largest height at
// which it stays clear (at least 1). The faces are fixed-pitch: a byte of a
// text is half the cell height wide.
int32_t ProblemCellHeight(const SheetScaler& scaler, int32_t width, int32_t qNumCheck, const ProblemList& list);

// Places Texts[1..Columns*Rows] down the columns below the header.
void DrawProblemGrid(SheetCanvas& canvas, const SheetScaler& scaler, int32_t width,
                     int32_t qNumCheck, const ProblemList& list);

}  // namespace zentavo
