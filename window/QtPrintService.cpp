#include "window/QtPrintService.h"

#include "window/CupsStatus.h"
#include "window/QtSheetCanvas.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStorageInfo>

#include <cerrno>
#include <cstring>

namespace zentavo {
namespace {

const char* const NoDefaultPrinter = "デフォルト プリンタが存在しません";
const char* const InvalidPrinter = "選択したプリンタは有効ではありません";
const char* const UnsupportedFeature = "選択されたプリンタではサポートされていない機能です";
const char* const PrintingInProgress = "現在印刷中です";
const char* const CannotStartDocument = "印刷を開始できません";
const char* const PrintFailed = "印刷できませんでした";

// "Print to file" chosen in the setup dialog. A QPrinter created while no
// printer exists is also in PDF format, but without a file: that is no choice.
bool PrintsToFile(const QPrinter& printer)
{
    return printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty();
}

// Qt writes a document to its folder without reporting a failed write, so a
// folder this close to full is refused before the document begins. A sheet
// takes a few tens of kilobytes.
constexpr qint64 RoomForOneSheet = 1024 * 1024;

void ThrowUnlessRoomIn(const QString& folder)
{
    const QStorageInfo storage(folder);
    if (storage.isValid() && storage.bytesAvailable() < RoomForOneSheet)
        throw PrintError(std::strerror(ENOSPC));
}

// "sheet.pdf" gives "sheet-2.pdf" for the second document of one command.
QString NumberedFileName(const QString& fileName, int document)
{
    const QFileInfo file(fileName);
    const QString suffix = file.suffix().isEmpty() ? QString() : u'.' + file.suffix();
    return file.dir().filePath(file.completeBaseName() + u'-' + QString::number(document) + suffix);
}

// What the setup dialog may change, to put back when it is cancelled.
struct PrinterChoice {
    QPrinter::OutputFormat format;
    QString printerName;
    QString outputFileName;
    QPageLayout pageLayout;
    int copyCount;
    bool collateCopies;
    QPrinter::DuplexMode duplex;
    QPrinter::ColorMode colorMode;
    QPrinter::PageOrder pageOrder;
    QPrinter::PrintRange printRange;
    int fromPage;
    int toPage;

    static PrinterChoice Of(const QPrinter& printer)
    {
        return {printer.outputFormat(), printer.printerName(),   printer.outputFileName(),
                printer.pageLayout(),   printer.copyCount(),     printer.collateCopies(),
                printer.duplex(),       printer.colorMode(),     printer.pageOrder(),
                printer.printRange(),   printer.fromPage(),      printer.toPage()};
    }

    void RestoreTo(QPrinter& printer) const
    {
        printer.setOutputFormat(format);
        if (format == QPrinter::NativeFormat)
            printer.setPrinterName(printerName);
        printer.setOutputFileName(outputFileName);
        printer.setPageLayout(pageLayout);
        printer.setCopyCount(copyCount);
        printer.setCollateCopies(collateCopies);
        printer.setDuplex(duplex);
        printer.setColorMode(colorMode);
        printer.setPageOrder(pageOrder);
        printer.setPrintRange(printRange);
        printer.setFromTo(fromPage, toPage);
    }
};

}  // namespace

QtPrintService::QtPrintService() = default;

QtPrintService::~QtPrintService()
{
    AbortDoc();
}

QPrinter& QtPrintService::Printer()
{
    if (!printer_)
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

bool QtPrintService::Printing() const
{
    return painter_ && painter_->isActive();
}

void QtPrintService::ThrowIfPrinting() const
{
    if (Printing())
        throw PrintError(PrintingInProgress);
}

void QtPrintService::GetPrinter()
{
    ThrowIfPrinting();
    documentsThisCommand_ = 0;
    QPrinter& printer = Printer();
    if (PrintsToFile(printer))
        return;
    if (printer.outputFormat() != QPrinter::NativeFormat || printer.printerName().isEmpty())
        AdoptDefaultPrinter();
    // Asks CUPS afresh: the queue may have gone, or the scheduler with it.
    if (QPrinterInfo::printerInfo(printer.printerName()).isNull() || !printer.isValid())
        throw PrintError(InvalidPrinter);
}

// No printer is current yet: the system's default becomes the current one.
void QtPrintService::AdoptDefaultPrinter()
{
    const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
    if (defaultPrinter.isNull())
        throw PrintError(NoDefaultPrinter);
    QPrinter& printer = Printer();
    printer.setOutputFormat(QPrinter::NativeFormat);
    printer.setPrinterName(defaultPrinter.printerName());
    if (printer.outputFormat() != QPrinter::NativeFormat || printer.printerName().isEmpty())
        throw PrintError(InvalidPrinter);
}

void QtPrintService::SetPortrait()
{
    ThrowIfPrinting();
    QPrinter& printer = Printer();
    if (!printer.setPageOrientation(QPageLayout::Portrait)
        || printer.pageLayout().orientation() != QPageLayout::Portrait)
        throw PrintError(UnsupportedFeature);
}

int32_t QtPrintService::PageHeight()
{
    return Printer().height();
}

int32_t QtPrintService::PageWidth()
{
    return Printer().width();
}

void QtPrintService::BeginDoc(const std::string& title)
{
    ThrowIfPrinting();
    QPrinter& printer = Printer();
    printer.setDocName(QString::fromStdString(title));
    chosenFileName_ = printer.outputFileName();
    if (PrintsToFile(printer)) {
        // Later documents of one command go beside the chosen file instead
        // of writing over the one before.
        if (documentsThisCommand_ > 0)
            printer.setOutputFileName(NumberedFileName(chosenFileName_, documentsThisCommand_ + 1));
        ThrowUnlessRoomIn(QFileInfo(printer.outputFileName()).absolutePath());
    } else {
        ThrowUnlessRoomIn(QDir::tempPath());
    }
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(&printer)) {
        printer.setOutputFileName(chosenFileName_);
        throw PrintError(CannotStartDocument);
    }
    ++documentsThisCommand_;
    painter_ = std::move(painter);
    canvas_ = std::make_unique<QtSheetCanvas>(*painter_);
}

SheetCanvas& QtPrintService::PageCanvas()
{
    if (!canvas_)
        throw std::logic_error("no document is open");
    return *canvas_;
}

void QtPrintService::EndDoc()
{
    if (!Printing())
        throw std::logic_error("no document is open");
    canvas_.reset();
    const bool ended = painter_->end();
    painter_.reset();
    const QPrinter::PrinterState state = Printer().printerState();
    if (!ended || state == QPrinter::Error || state == QPrinter::Aborted) {
        RestoreChosenFileName();
        throw PrintError(PrintFailed);
    }
    try {
        CheckOutputAccepted();
    } catch (...) {
        RestoreChosenFileName();
        throw;
    }
    RestoreChosenFileName();
}

void QtPrintService::RestoreChosenFileName()
{
    if (PrintsToFile(Printer()))
        Printer().setOutputFileName(chosenFileName_);
}

// Qt hands the finished document to CUPS without looking at the answer, and
// writes a PDF file without reporting a failure; both are checked here.
void QtPrintService::CheckOutputAccepted()
{
    const QPrinter& printer = Printer();
    if (PrintsToFile(printer)) {
        const QFileInfo file(printer.outputFileName());
        if (!file.isFile() || file.size() == 0)
            throw PrintError(PrintFailed);
        return;
    }
    if (const auto refusal = LastCupsRefusal())
        throw PrintError(*refusal);
}

void QtPrintService::AbortDoc() noexcept
{
    canvas_.reset();
    if (Printing()) {
        printer_->abort();
        painter_->end();
        RestoreChosenFileName();
    }
    painter_.reset();
}

bool QtPrintService::SetupDialog(QWidget* parent)
{
    ThrowIfPrinting();
    QPrinter& printer = Printer();
    const PrinterChoice before = PrinterChoice::Of(printer);
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() == QDialog::Accepted)
        return true;
    before.RestoreTo(printer);
    return false;
}

}  // namespace zentavo
