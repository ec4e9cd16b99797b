#pragma once

#include "generation/ProblemList.h"
#include "render/SheetCanvas.h"
#include "sheetset/SheetsOptions.h"

#include <cstdint>
#include <optional>

namespace zentavo {

// One page of a set: sheet 1.. of the set, its question or answer side and
// the print number in its header.
struct SetPage {
    int32_t sheet = 0;
    int32_t answers = 0;  // 0 the question sheet, 1 the answer sheet
    int32_t printNumber = 0;

    bool operator==(const SetPage&) const = default;
};

// Where the pages of a set go, one after another.
class PageSink {
public:
    virtual ~PageSink() = default;
    // The canvas the page is drawn on; the page is complete when the next
    // one is asked for or the set ends.
    virtual SheetCanvas& NextPage(const SetPage& page) = 0;
};

// False when the options cannot fill a sheet: too few dans for the count.
bool CanMakeSheets(const SheetOptions& options);

int64_t PageCount(const SetRequest& set);

// Draws every page of the set at Width x Height device pixels, from the
// random source started at `seed`: sheet k is the k-th problem list that
// GenerateProblems draws from it, drawn by MakePrint, as the window's k-th
// Preview. The options must be able to make sheets.
void DrawSet(const SetRequest& set, uint32_t seed, int32_t width, int32_t height, PageSink& sink);

// A set that begins with a sheet drawn already, such as the one a Preview
// shows: its problem list is sheet 1, and sheets 2 on are drawn from the
// random source as it stands after that list. A set of one sheet draws no new
// problems, so the options need not make sheets for it; a larger set's do.
struct DrawnSheet {
    ProblemList problems;
    uint32_t randomAfter = 0;
};
void DrawSet(const SetRequest& set, const DrawnSheet& first, int32_t width, int32_t height, PageSink& sink);

}  // namespace zentavo
