#include "window/Fmain.h"

#include "generation/GenerateProblems.h"
#include "render/MakePrint.h"
#include "render/SheetScale.h"
#include "window/MessageBoxes.h"
#include "window/PreviewArea.h"
#include "window/controls/Messages.h"
#include "window/controls/PrintNumber.h"
#include "window/print/QtPrintService.h"
#include "window/canvas/QtSheetCanvas.h"

#include <QCloseEvent>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>

#include <exception>
#include <initializer_list>

namespace zentavo {
namespace {

// The preview area is the reference page itself: its sheet is drawn at
// scale 1.
constexpr int32_t PreviewWidth = ReferenceWidth;
constexpr int32_t PreviewHeight = ReferenceHeight;

// What a print command prints, taken when it starts: the controls stay
// usable while it waits for the printer, and neither a Preview nor a changed
// option reaches its sheets, so the answer sheet always answers the
// question sheet printed with it.
struct PrintedSet {
    SheetOptions options;
    ProblemList problems;
    int32_t printNumber;
};

// One one-page document. A failure while drawing closes the document, so
// the service is not left printing.
void PrintDocument(PrintService& service, PrintedSet& set, int32_t width, int32_t height, int32_t answers)
{
    service.BeginDoc(JobTitle);
    try {
        zentavo::MakePrint(service.PageCanvas(), width, height, answers, set.options, set.problems,
                           set.printNumber);
    } catch (...) {
        service.AbortDoc();
        throw;
    }
    service.EndDoc();
}

// A print command: the print number from Edit1, then one document per sheet
// on one page size, then the next print number into Edit1. A failure shows
// the error box and leaves the print number where Edit1 put it. The command
// keeps the service alive while it waits; the window may close meanwhile,
// and is not touched again once it is gone.
void PrintSheets(TForm1& window, const std::shared_ptr<PrintService>& service,
                 std::initializer_list<int32_t> sheets)
{
    const std::string text = window.Controls().Edit1();
    const auto number = ParsePrintNumber(text);
    if (!number) {
        ShowErrorBox(&window, QString::fromStdString(NotAnInteger(text)));
        return;
    }
    RunState& run = window.Run();
    run.PrintNumber = *number;
    PrintedSet set{window.Snapshot(), run.Problems, *number};
    const QPointer<TForm1> form(&window);
    const TForm1::PrintingIndicator printing(window);
    try {
        service->GetPrinter();
        service->SetPortrait();
        const int32_t height = service->PageHeight();
        const int32_t width = service->PageWidth();
        for (const int32_t answers : sheets)
            PrintDocument(*service, set, width, height, answers);
    } catch (const PrintCancelled&) {
        return;  // the program is quitting
    } catch (const std::exception& error) {
        if (form)
            ShowErrorBox(form, QString::fromUtf8(error.what()));
        return;
    }
    if (!form)
        return;
    form->Run().PrintNumber = NextPrintNumber(set.printNumber);
    form->Edit1->setText(QString::fromStdString(FormatPrintNumber(form->Run().PrintNumber)));
}

}  // namespace

bool TForm1::SetPrintService(std::unique_ptr<PrintService> service)
{
    if (printingCommands_ > 0)
        return false;
    printService_ = std::move(service);
    return true;
}

std::shared_ptr<PrintService> TForm1::PrintingService()
{
    if (!printService_)
        printService_ = std::make_shared<QtPrintService>();
    return printService_;
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
        PrintingService()->SetupDialog(this);
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

// The wait of a print command still in progress ends; the command holds the
// service until it has.
TForm1::~TForm1()
{
    if (printService_)
        printService_->Cancel();
}

TForm1::PrintingIndicator::PrintingIndicator(TForm1& form)
    : form_(&form)
{
    if (form_->printingCommands_++ == 0) {
        form_->setCursor(Qt::BusyCursor);
        form_->PrintStatus->show();
    }
}

TForm1::PrintingIndicator::~PrintingIndicator()
{
    if (form_ && --form_->printingCommands_ == 0) {
        form_->unsetCursor();
        form_->PrintStatus->hide();
    }
}

void TForm1::MakePrint(SheetCanvas& Canvas, int32_t Width, int32_t Height, int32_t Answers)
{
    zentavo::MakePrint(Canvas, Width, Height, Answers, Snapshot(), run_.Problems, run_.PrintNumber);
}

}  // namespace zentavo
