#pragma once

#include "sheetset/Paper.h"
#include "window/canvas/QtSheetCanvas.h"

#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

#include <cstdint>
#include <memory>

class QIODevice;

namespace zentavo {

// The whole sheet of `paper` (sheetset/Paper.h), portrait, with no margins:
// the printable area is the page. The page size is the toolkit's own one of
// that name and size.
QPageLayout PaperLayout(Paper paper);

// A PDF document of sheets written to a device page by page, at the
// resolution of a printer page: the same drawing whether it goes to a print
// queue or to a file. Pages are written out as they are finished.
class SheetPdf {
public:
    static constexpr int Resolution = PrintResolution;  // dots per inch

    // The device must be open for writing and outlive the document.
    SheetPdf(QIODevice& device, const QPageLayout& layout, const QString& title);
    ~SheetPdf();
    SheetPdf(const SheetPdf&) = delete;
    SheetPdf& operator=(const SheetPdf&) = delete;

    // The printable area of a page in device pixels.
    static int32_t Width(const QPageLayout& layout);
    static int32_t Height(const QPageLayout& layout);

    // Opens the first page; false when the document cannot begin.
    bool Begin();
    // The canvas of the current page, valid until the next page or the end.
    SheetCanvas& Canvas();
    void NewPage();
    // Finishes the document; false when the device did not take all of it.
    bool End();

private:
    QIODevice& device_;
    QPdfWriter writer_;
    QPainter painter_;
    std::unique_ptr<QtSheetCanvas> canvas_;
};

}  // namespace zentavo
