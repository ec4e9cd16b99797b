#include "sheets/SetOutput.h"

#include "window/controls/Messages.h"
#include "window/canvas/SheetPdf.h"
#include "window/print/cups/QueuePage.h"

#include <QDir>
#include <QSaveFile>
#include <QTemporaryDir>

namespace zentavo {
namespace {

[[noreturn]] void ThrowFileError(const QString& path, const QString& reason)
{
    throw SetError(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), reason).toStdString());
}

// The pages of one PDF document. A write that fails ends the set at the page
// it happened on rather than drawing the rest for nothing.
class PdfPages : public PageSink {
public:
    PdfPages(SheetPdf& pdf, QSaveFile& file, int64_t total, const SetProgress& progress)
        : pdf_(pdf), file_(file), total_(total), progress_(progress)
    {
    }

    SheetCanvas& NextPage(const SetPage&) override
    {
        if (begun_ > 0) {
            PageDone();
            pdf_.NewPage();
        }
        ++begun_;
        return pdf_.Canvas();
    }

    void PageDone()
    {
        if (file_.error() != QFileDevice::NoError)
            ThrowFileError(file_.fileName(), file_.errorString());
        if (progress_)
            progress_(begun_, total_);
    }

private:
    SheetPdf& pdf_;
    QSaveFile& file_;
    int64_t total_;
    const SetProgress& progress_;
    int64_t begun_ = 0;
};

}  // namespace

void WriteSetPdf(const SetRequest& set, uint32_t seed, const QString& path, const QPageLayout& layout,
                 const SetProgress& progress)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        ThrowFileError(path, file.errorString());
    {
        SheetPdf pdf(file, layout, QString::fromLatin1(JobTitle));
        if (!pdf.Begin())
            ThrowFileError(path, QString::fromUtf8(print_message::CannotStartDocument));
        PdfPages pages(pdf, file, PageCount(set), progress);
        DrawSet(set, seed, SheetPdf::Width(layout), SheetPdf::Height(layout), pages);
        pages.PageDone();
        if (!pdf.End())
            ThrowFileError(path, file.errorString());
    }
    if (!file.commit())
        ThrowFileError(path, file.errorString());
}

int PrintSet(const SetRequest& set, uint32_t seed, const std::string& queue, const SetProgress& progress,
             StopFlag& stop)
{
    const QueueInfo found = FindQueue(queue, stop);
    const QTemporaryDir folder(QDir::temp().filePath(QStringLiteral("zentavo-sheets-XXXXXX")));
    if (!folder.isValid())
        ThrowFileError(QDir::tempPath(), folder.errorString());
    const QString path = folder.filePath(QStringLiteral("sheets.pdf"));
    WriteSetPdf(set, seed, path, QueuePageLayout(found.media), progress);
    return SendPdfJob(found.name, JobTitle, path.toStdString(), {}, stop);
}

}  // namespace zentavo
