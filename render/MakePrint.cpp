#include "render/MakePrint.h"

#include "render/ProblemGrid.h"
#include "render/ProblemTexts.h"
#include "render/ShiftJis.h"

#include <string>

namespace zentavo {
namespace {

void PaintBackground(SheetCanvas& canvas, const SheetScaler& scaler)
{
    canvas.SetBrushStyle(BrushStyle::bsSolid);
    canvas.SetBrushColor(clWhite);
    canvas.SetPenColor(clWhite);
    canvas.DrawRectangle(0, 0, scaler.ScaleCoord(ReferenceWidth - 1), scaler.ScaleCoord(ReferenceHeight - 1));
}

void DrawHeader(SheetCanvas& canvas, const SheetScaler& scaler, int32_t printNumber)
{
    const auto at = [&](double v) { return scaler.ScaleCoord(v); };

    canvas.SetFontName(std::string(sjis::GothicFace));
    canvas.SetFontHeight(at(6));
    canvas.PutText(at(14), at(10), std::string(sjis::SheetTitle));

    canvas.SetFontName(std::string(sjis::MinchoFace));
    canvas.SetFontHeight(at(6));
    canvas.PutText(at(64), at(10), std::string(sjis::PrintNumberLabel) + std::to_string(printNumber));

    canvas.SetFontHeight(at(14));
    canvas.PutText(at(140), at(20), std::string(sjis::NameBox));

    canvas.SetFontHeight(at(12));
    canvas.PutText(at(14), at(40), std::string(sjis::Instruction));
}

}  // namespace

void MakePrint(SheetCanvas& Canvas, int32_t Width, int32_t Height, int32_t Answers,
               const SheetOptions& options, ProblemList& list, int32_t PrintNumber)
{
    const SheetScaler scaler = SheetScaler::ForTarget(Width, Height);
    PaintBackground(Canvas, scaler);
    Canvas.SetPenColor(clBlack);
    Canvas.SetBrushStyle(BrushStyle::bsClear);
    DrawHeader(Canvas, scaler, PrintNumber);
    // The texts come first: their widths decide the height they are drawn in.
    if (list.Count > 0)
        MakeProblemTexts(options, list, Answers);
    Canvas.SetFontHeight(ProblemCellHeight(scaler, Width, options.QNumCheck, list));
    DrawProblemGrid(Canvas, scaler, Width, options.QNumCheck, list);
}

}  // namespace zentavo
