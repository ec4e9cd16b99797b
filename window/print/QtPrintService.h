#pragma once

#include "window/print/cups/CupsQueue.h"
#include "window/print/PrintService.h"

#include <QPageLayout>
#include <QString>

#include <memory>
#include <optional>

class QPrinter;

namespace zentavo {

// The printing service: each document is drawn on this thread into a PDF at
// printer resolution, then sent to a CUPS queue by a helper thread while the
// event loop goes on; or written to the PDF file chosen in the setup dialog.
// Every request to the print server (finding the queue, sending the job,
// listing the queues for the setup dialog) runs off this thread, with the
// waits bounded by `limits`.
class QtPrintService : public PrintService {
public:
    explicit QtPrintService(CupsLimits limits = {});
    ~QtPrintService() override;

    void GetPrinter() override;
    void SetPortrait() override;
    int32_t PageHeight() override;
    int32_t PageWidth() override;
    void BeginDoc(const std::string& title) override;
    SheetCanvas& PageCanvas() override;
    void EndDoc() override;
    void AbortDoc() noexcept override;
    bool SetupDialog(QWidget* parent) override;
    bool Busy() const override;
    void Cancel() noexcept override;

    // The printer that the setup dialog shows and changes, created on first
    // use. What it holds becomes current only when the dialog is accepted.
    QPrinter& DialogPrinter();

private:
    // What the setup dialog chose.
    struct Choice {
        QString fileName;   // print to this PDF file, when not empty
        std::string queue;  // else to this queue
        QPageLayout layout;
        JobOptions options;
    };
    struct Document;

    template <typename Work>
    auto WaitFor(Work work);
    void ThrowIfBusy() const;
    bool PrintsToFile() const { return chosen_ && !chosen_->fileName.isEmpty(); }
    QString FileFor(int document) const;
    void SendToQueue(const Document& document);

    CupsLimits limits_;
    std::unique_ptr<QPrinter> dialogPrinter_;
    std::optional<Choice> chosen_;
    std::string queue_;
    QPageLayout layout_;
    JobOptions options_;
    std::unique_ptr<Document> document_;  // open between BeginDoc and EndDoc
    int documentsThisCommand_ = 0;        // documents begun since the last GetPrinter
    StopFlag* waiting_ = nullptr;         // the stop flag of the wait in progress
};

}  // namespace zentavo
