// Checks every dan box and the last count item through the control model,
// then draws the answer sheet with nothing but the standard library, counting
// the texts it puts on a canvas that only counts.
#include "generation/GenerateProblems.h"
#include "render/MakePrint.h"
#include "window/controls/OptionControls.h"

#include <cstdio>

namespace {

class CountingCanvas : public zentavo::SheetCanvas {
public:
    int texts = 0;
    void SetBrushStyle(zentavo::BrushStyle) override {}
    void SetBrushColor(uint32_t) override {}
    void SetPenColor(uint32_t) override {}
    void DrawRectangle(int32_t, int32_t, int32_t, int32_t) override {}
    void SetFontName(const std::string&) override {}
    void SetFontHeight(int32_t) override {}
    void PutText(int32_t, int32_t, const std::string&) override { ++texts; }
};

}  // namespace

int main()
{
    zentavo::OptionControls controls;
    for (int32_t dan = 1; dan <= 9; ++dan)
        controls.SetDanBox(dan, true);
    controls.SelectItem(zentavo::Group::QNumCheck, 11);
    const zentavo::SheetOptions options = controls.Snapshot();
    zentavo::ProblemList list;
    zentavo::RandomSource random;
    random.RandomSeed = 12345;
    if (zentavo::GenerateProblems(options, list, random) != zentavo::GenerateResult::Generated)
        return 1;
    CountingCanvas canvas;
    zentavo::MakePrint(canvas, 320, 441, 1, options, list, 1);
    std::printf("drew %d texts\n", canvas.texts);
    return canvas.texts == 4 + 80 ? 0 : 1;
}
