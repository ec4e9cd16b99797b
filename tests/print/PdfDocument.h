#pragma once

#include <QString>

namespace zentavo::testing {

// What poppler reads from a PDF file: its pages, the size of the first page
// in points and its text without any white space.
struct PdfDocument {
    int pages = 0;
    double width = 0;
    double height = 0;
    int rotation = 0;
    QString text;

    bool IsA4Portrait() const;
};

PdfDocument ReadPdf(const QString& path);

QString WithoutSpaces(const QString& text);

}  // namespace zentavo::testing
