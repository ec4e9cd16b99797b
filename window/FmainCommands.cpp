#include "window/Fmain.h"

#include "render/MakePrint.h"

namespace zentavo {

void TForm1::PreviewBtnClick() {}

void TForm1::PaintBox1Paint(QPainter&) {}

void TForm1::PrintBtnClick() {}

void TForm1::PrintAnsBtnClick() {}

void TForm1::btnSetPrnClick() {}

void TForm1::MakePrint(SheetCanvas& Canvas, int32_t Width, int32_t Height, int32_t Answers)
{
    zentavo::MakePrint(Canvas, Width, Height, Answers, Snapshot(), run_.Problems, run_.PrintNumber);
}

}  // namespace zentavo
