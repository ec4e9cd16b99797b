#pragma once

#include "window/PrintService.h"

#include <QString>

#include <memory>

class QPainter;
class QPrinter;

namespace zentavo {

class QtSheetCanvas;

// The printing service over Qt PrintSupport: one QPrinter in high resolution,
// created on first use and kept, whose pages go to CUPS, or to a PDF file
// when "print to file" was chosen in the setup dialog.
class QtPrintService : public PrintService {
public:
    QtPrintService();
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

    // The shared printer, created on first use.
    QPrinter& Printer();

private:
    bool Printing() const;
    void ThrowIfPrinting() const;
    void AdoptDefaultPrinter();
    void CheckOutputAccepted();
    void RestoreChosenFileName();

    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPainter> painter_;  // active while a document is open
    std::unique_ptr<QtSheetCanvas> canvas_;
    int documentsThisCommand_ = 0;  // documents begun since the last GetPrinter
    QString chosenFileName_;        // the file chosen in the setup dialog
};

}  // namespace zentavo
