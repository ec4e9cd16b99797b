#include "window/Fmain.h"

#include "generation/GenerateProblems.h"
#include "render/MakePrint.h"
#include "window/MessageBoxes.h"
#include "window/PreviewArea.h"
#include "window/PrintNumber.h"
#include "window/QtPrintService.h"
#include "window/QtSheetCanvas.h"

#include <QImage>
#include <QLineEdit>
#include <QPainter>

#include <exception>
#include <initializer_list>

namespace zentavo {
namespace {

constexpr int32_t PreviewWidth = 320;
constexpr int32_t PreviewHeight = 441;
constexpr int32_t QuestionSheet = 0;
constexpr int32_t AnswerSheet = 1;
const char* const JobTitle = "Zentavo";

// One one-page document. A failure while drawing closes the document, so
// the service is not left printing.
void PrintDocument(TForm1& form, PrintService& service, int32_t width, int32_t height, int32_t answers)
{
    service.BeginDoc(JobTitle);
    try {
        form.MakePrint(service.PageCanvas(), width, height, answers);
    } catch (...) {
        service.AbortDoc();
        throw;
    }
    service.EndDoc();
}

// A print command: the print number from Edit1, then one document per sheet
// on one page size, then the next print number into Edit1. A failure shows
// the error box and leaves the print number where Edit1 put it.
void PrintSheets(TForm1& form, PrintService& service, std::initializer_list<int32_t> sheets)
{
    const QString text = form.Edit1->text();
    const auto number = ParsePrintNumber(text.toStdString());
    if (!number) {
        ShowErrorBox(&form, QStringLiteral("'%1' は整数ではありません").arg(text));
        return;
    }
    RunState& run = form.Run();
    run.PrintNumber = *number;
    try {
        service.GetPrinter();
        service.SetPortrait();
        const int32_t height = service.PageHeight();
        const int32_t width = service.PageWidth();
        for (const int32_t answers : sheets)
            PrintDocument(form, service, width, height, answers);
    } catch (const std::exception& error) {
        ShowErrorBox(&form, QString::fromUtf8(error.what()));
        return;
    }
    run.PrintNumber = NextPrintNumber(run.PrintNumber);
    form.Edit1->setText(QString::fromStdString(FormatPrintNumber(run.PrintNumber)));
}

}  // namespace

PrintService& TForm1::PrintingService()
{
    if (!printService_)
        printService_ = std::make_unique<QtPrintService>();
    return *printService_;
}

void TForm1::PreviewBtnClick()
{
    if (GenerateProblems(Snapshot(), run_.Problems, run_.Random) == GenerateResult::TooFewDans) {
        ShowTooFewDansWarning(this);
        return;
    }
    run_.PreviewShown = 1;

    // Qt draws on a widget only while painting it, so the answer sheet goes
    // to the area as an image that it shows until its next paint.
    // The image has the area's device pixels, so that on a high-density
    // screen the sheet is drawn at the screen's resolution, not blown up.
    const qreal ratio = PaintBox1->devicePixelRatioF();
    QImage answers(QSize(PreviewWidth, PreviewHeight) * ratio, QImage::Format_RGB32);
    answers.setDevicePixelRatio(ratio);
    answers.fill(palette().window().color());
    {
        QPainter painter(&answers);
        QtSheetCanvas canvas(painter);
        MakePrint(canvas, PreviewWidth, PreviewHeight, AnswerSheet);
    }
    PaintBox1->ShowOnce(std::move(answers));
    EnablePrintCommands();
}

void TForm1::PaintBox1Paint(QPainter& painter)
{
    if (run_.PreviewShown != 1)
        return;
    QtSheetCanvas canvas(painter);
    MakePrint(canvas, PreviewWidth, PreviewHeight, QuestionSheet);
}

void TForm1::PrintBtnClick()
{
    PrintSheets(*this, PrintingService(), {QuestionSheet});
}

void TForm1::PrintAnsBtnClick()
{
    PrintSheets(*this, PrintingService(), {QuestionSheet, AnswerSheet});
}

void TForm1::btnSetPrnClick()
{
    try {
        PrintingService().SetupDialog(this);
    } catch (const std::exception& error) {
        ShowErrorBox(this, QString::fromUtf8(error.what()));
    }
}

void TForm1::MakePrint(SheetCanvas& Canvas, int32_t Width, int32_t Height, int32_t Answers)
{
    zentavo::MakePrint(Canvas, Width, Height, Answers, Snapshot(), run_.Problems, run_.PrintNumber);
}

}  // namespace zentavo
