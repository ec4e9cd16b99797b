#include "window/Fmain.h"

#include "generation/GenerateProblems.h"
#include "render/MakePrint.h"
#include "render/SheetScale.h"
#include "window/MessageBoxes.h"
#include "window/PreviewArea.h"
#include "window/PrintNumber.h"
#include "window/QtPrintService.h"
#include "window/QtSheetCanvas.h"

#include <QCloseEvent>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>

#include <exception>
#include <initializer_list>

namespace zentavo {
namespace {

// The preview area is the reference page itself: its sheet is drawn at
// scale 1.
constexpr int32_t PreviewWidth = ReferenceWidth;
constexpr int32_t PreviewHeight = ReferenceHeight;
constexpr int32_t QuestionSheet = 0;
constexpr int32_t AnswerSheet = 1;
const char* const JobTitle = "Zentavo";

// What a print command prints, taken when it starts: a Preview pressed
// while it waits for the printer does not reach its sheets.
struct PrintedSet {
    ProblemList problems;
    int32_t printNumber;
};

bool SameProblems(const ProblemList& a, const ProblemList& b)
{
    return a.Count == b.Count && a.Codes == b.Codes && a.Divisors == b.Divisors && a.BlankSide == b.BlankSide;
}

// One one-page document. A failure while drawing closes the document, so
// the service is not left printing.
void PrintDocument(TForm1& form, PrintService& service, PrintedSet& set, int32_t width, int32_t height,
                   int32_t answers)
{
    service.BeginDoc(JobTitle);
    try {
        zentavo::MakePrint(service.PageCanvas(), width, height, answers, form.Snapshot(), set.problems,
                           set.printNumber);
    } catch (...) {
        service.AbortDoc();
        throw;
    }
    // The shared list keeps the texts of its last drawing.
    if (SameProblems(form.Run().Problems, set.problems))
        form.Run().Problems.Texts = set.problems.Texts;
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
    PrintedSet set{run.Problems, *number};
    const TForm1::PrintingIndicator printing(form);
    try {
        service.GetPrinter();
        service.SetPortrait();
        const int32_t height = service.PageHeight();
        const int32_t width = service.PageWidth();
        for (const int32_t answers : sheets)
            PrintDocument(form, service, set, width, height, answers);
    } catch (const PrintCancelled&) {
        return;  // the program is quitting
    } catch (const std::exception& error) {
        ShowErrorBox(&form, QString::fromUtf8(error.what()));
        return;
    }
    run.PrintNumber = NextPrintNumber(set.printNumber);
    form.Edit1->setText(QString::fromStdString(FormatPrintNumber(run.PrintNumber)));
}

}  // namespace

void TForm1::SetPrintService(std::unique_ptr<PrintService> service)
{
    printService_ = std::move(service);
}

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
    } catch (const PrintCancelled&) {
    } catch (const std::exception& error) {
        ShowErrorBox(this, QString::fromUtf8(error.what()));
    }
}

// Quitting abandons a wait for the print server: the command that waits
// ends without a word and the program leaves.
void TForm1::closeEvent(QCloseEvent* event)
{
    if (printService_)
        printService_->Cancel();
    QWidget::closeEvent(event);
}

TForm1::PrintingIndicator::PrintingIndicator(TForm1& form)
    : form_(form)
{
    if (form_.printingCommands_++ == 0) {
        form_.setCursor(Qt::BusyCursor);
        form_.PrintStatus->show();
    }
}

TForm1::PrintingIndicator::~PrintingIndicator()
{
    if (--form_.printingCommands_ == 0) {
        form_.unsetCursor();
        form_.PrintStatus->hide();
    }
}

void TForm1::MakePrint(SheetCanvas& Canvas, int32_t Width, int32_t Height, int32_t Answers)
{
    zentavo::MakePrint(Canvas, Width, Height, Answers, Snapshot(), run_.Problems, run_.PrintNumber);
}

}  // namespace zentavo
