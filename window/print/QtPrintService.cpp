#include "window/print/QtPrintService.h"

#include "window/print/OffThread.h"
#include "window/controls/Messages.h"
#include "window/print/PrintSetupDialog.h"
#include "window/canvas/SheetPdf.h"
#include "window/print/cups/QueuePage.h"

#include <QDir>
#include <QFileInfo>
#include <QPrintEngine>
#include <QPrinter>
#include <QSaveFile>
#include <QTemporaryFile>

#include <optional>
#include <stdexcept>
#include <utility>

namespace zentavo {
namespace {

// The CUPS options that the setup dialog and its printer properties chose,
// as name and value pairs; Qt's CUPS support keeps them under this key.
constexpr auto CupsOptionsKey = QPrintEngine::PrintEnginePropertyKey(0xfe00);

// Options that would print only some pages of a one-page sheet, or turn it:
// a sheet is always printed whole, upright.
bool DropsPages(const QString& option)
{
    static const QStringList dropped = {QStringLiteral("page-set"), QStringLiteral("page-ranges"),
                                        QStringLiteral("landscape"), QStringLiteral("orientation-requested")};
    return dropped.contains(option);
}

const char* SidesOf(QPrinter::DuplexMode duplex)
{
    switch (duplex) {
    case QPrinter::DuplexNone:
        return "one-sided";
    case QPrinter::DuplexShortSide:
        return "two-sided-short-edge";
    default:
        return "two-sided-long-edge";
    }
}

// The job options of a printer chosen in the setup dialog.
JobOptions JobOptionsOf(QPrinter& printer)
{
    JobOptions options;
    options.emplace_back("media", printer.pageLayout().pageSize().key().toStdString());
    if (printer.copyCount() > 1) {
        options.emplace_back("copies", std::to_string(printer.copyCount()));
        if (printer.collateCopies())
            options.emplace_back("Collate", "True");
    }
    options.emplace_back("sides", SidesOf(printer.duplex()));
    const QStringList chosen = printer.printEngine()->property(CupsOptionsKey).toStringList();
    for (qsizetype i = 0; i + 1 < chosen.size(); i += 2) {
        if (!DropsPages(chosen[i]))
            options.emplace_back(chosen[i].toStdString(), chosen[i + 1].toStdString());
    }
    return options;
}

// "sheet.pdf" gives "sheet-2.pdf" for the second document of one command.
QString NumberedFileName(const QString& fileName, int document)
{
    const QFileInfo file(fileName);
    const QString suffix = file.suffix().isEmpty() ? QString() : u'.' + file.suffix();
    return file.dir().filePath(file.completeBaseName() + u'-' + QString::number(document) + suffix);
}

// What the setup dialog may change, to put back when it is cancelled.
struct PrinterSettings {
    QPrinter::OutputFormat format;
    QString printerName;
    QString outputFileName;
    QPageLayout pageLayout;
    int copyCount;
    bool collateCopies;
    QPrinter::DuplexMode duplex;
    QPrinter::ColorMode colorMode;
    QPrinter::PageOrder pageOrder;

    static PrinterSettings Of(const QPrinter& printer)
    {
        return {printer.outputFormat(), printer.printerName(), printer.outputFileName(),
                printer.pageLayout(),   printer.copyCount(),   printer.collateCopies(),
                printer.duplex(),       printer.colorMode(),   printer.pageOrder()};
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
    }
};

}  // namespace

// One document being drawn: the PDF and the file it goes to, a temporary
// file for a queue or the chosen file, which is replaced only when the
// document is complete. Destroying it unfinished leaves nothing behind.
struct QtPrintService::Document {
    std::unique_ptr<QFileDevice> file;
    std::unique_ptr<SheetPdf> pdf;  // destroyed before the file
    std::string title;
};

QtPrintService::QtPrintService(CupsLimits limits)
    : limits_(limits), layout_(QueuePageLayout(std::nullopt))
{
}

QtPrintService::~QtPrintService()
{
    AbortDoc();
}

QPrinter& QtPrintService::DialogPrinter()
{
    if (!dialogPrinter_) {
        dialogPrinter_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        if (!queue_.empty())
            dialogPrinter_->setPrinterName(QString::fromStdString(queue_));
    }
    return *dialogPrinter_;
}

// Runs `work(stop)` off this thread and returns its result; the event loop
// goes on meanwhile.
template <typename Work>
auto QtPrintService::WaitFor(Work work)
{
    StopFlag stop;
    waiting_ = &stop;
    std::optional<decltype(work(stop))> result;
    try {
        RunOffThread([&] { result.emplace(work(stop)); }, stop);
    } catch (...) {
        waiting_ = nullptr;
        throw;
    }
    waiting_ = nullptr;
    return std::move(*result);
}

bool QtPrintService::Busy() const
{
    return waiting_ != nullptr || document_ != nullptr;
}

void QtPrintService::ThrowIfBusy() const
{
    if (Busy())
        throw PrintError(print_message::PrintingInProgress);
}

void QtPrintService::Cancel() noexcept
{
    if (waiting_)
        waiting_->Request();
}

void QtPrintService::GetPrinter()
{
    ThrowIfBusy();
    documentsThisCommand_ = 0;
    if (PrintsToFile()) {
        layout_ = chosen_->layout;
        return;
    }
    // The queue chosen in the setup dialog, else the one in use, else the
    // system's default; asked afresh, as the queue may have gone.
    const std::string wanted = chosen_ ? chosen_->queue : queue_;
    const QueueInfo found = WaitFor([wanted, limits = limits_](StopFlag& stop) { return FindQueue(wanted, stop, limits); });
    queue_ = found.name;
    layout_ = chosen_ ? chosen_->layout : QueuePageLayout(found.media);
    options_ = chosen_ ? chosen_->options : JobOptions{};
}

void QtPrintService::SetPortrait()
{
    ThrowIfBusy();
    layout_.setOrientation(QPageLayout::Portrait);
    if (!layout_.isValid() || layout_.orientation() != QPageLayout::Portrait)
        throw PrintError(print_message::UnsupportedFeature);
}

int32_t QtPrintService::PageHeight()
{
    return SheetPdf::Height(layout_);
}

int32_t QtPrintService::PageWidth()
{
    return SheetPdf::Width(layout_);
}

QString QtPrintService::FileFor(int document) const
{
    // Later documents of one command go beside the chosen file instead of
    // writing over the one before.
    return document > 1 ? NumberedFileName(chosen_->fileName, document) : chosen_->fileName;
}

void QtPrintService::BeginDoc(const std::string& title)
{
    ThrowIfBusy();
    auto document = std::make_unique<Document>();
    document->title = title;
    if (PrintsToFile())
        document->file = std::make_unique<QSaveFile>(FileFor(documentsThisCommand_ + 1));
    else
        document->file = std::make_unique<QTemporaryFile>(QDir::temp().filePath(QStringLiteral("zentavo-XXXXXX.pdf")));
    if (!document->file->open(QIODevice::WriteOnly))
        throw PrintError(document->file->errorString().toStdString());
    document->pdf = std::make_unique<SheetPdf>(*document->file, layout_, QString::fromStdString(title));
    if (!document->pdf->Begin())
        throw PrintError(print_message::CannotStartDocument);
    ++documentsThisCommand_;
    document_ = std::move(document);
}

SheetCanvas& QtPrintService::PageCanvas()
{
    if (!document_)
        throw std::logic_error("no document is open");
    return document_->pdf->Canvas();
}

void QtPrintService::EndDoc()
{
    if (!document_)
        throw std::logic_error("no document is open");
    const std::unique_ptr<Document> document = std::move(document_);
    const bool written = document->pdf->End();
    document->pdf.reset();
    if (!written) {
        const QString reason = document->file->errorString();
        throw PrintError(reason.isEmpty() ? print_message::PrintFailed : reason.toStdString());
    }
    if (auto* chosenFile = qobject_cast<QSaveFile*>(document->file.get())) {
        if (!chosenFile->commit())
            throw PrintError(chosenFile->errorString().toStdString());
        return;
    }
    SendToQueue(*document);
}

void QtPrintService::SendToQueue(const Document& document)
{
    document.file->close();
    // The helper thread gets its own copies: nothing of the service is read
    // off this thread.
    WaitFor([queue = queue_, title = document.title, path = document.file->fileName().toStdString(),
             options = options_, limits = limits_](StopFlag& stop) {
        return SendPdfJob(queue, title, path, options, stop, limits);
    });
}

void QtPrintService::AbortDoc() noexcept
{
    document_.reset();
}

bool QtPrintService::SetupDialog(QWidget* parent)
{
    ThrowIfBusy();
    // The dialog lists the queues on this thread; it opens only when the
    // server answers, so that a silent one cannot freeze the window.
    if (!WaitFor([limits = limits_](StopFlag& stop) { return ServerAnswers(stop, limits); }))
        throw PrintError(print_message::NoAnswer);
    QPrinter& printer = DialogPrinter();
    const PrinterSettings before = PrinterSettings::Of(printer);
    PrintSetupDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted) {
        before.RestoreTo(printer);
        return false;
    }
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        if (!printer.outputFileName().isEmpty())
            chosen_ = Choice{printer.outputFileName(), {}, printer.pageLayout(), {}};
    } else {
        chosen_ = Choice{{}, printer.printerName().toStdString(), printer.pageLayout(), JobOptionsOf(printer)};
    }
    return true;
}

}  // namespace zentavo
