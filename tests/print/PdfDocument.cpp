#include "print/PdfDocument.h"

#include "print/CupsScheduler.h"

#include <QRegularExpression>

#include <cmath>

namespace zentavo::testing {

bool PdfDocument::IsA4Portrait() const
{
    return std::abs(width - 595.3) < 1.0 && std::abs(height - 841.9) < 1.0 && rotation % 180 == 0;
}

PdfDocument ReadPdf(const QString& path)
{
    PdfDocument document;
    const QString info = RunTool(QStringLiteral("pdfinfo"), {path});
    const auto pages = QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"),
                                          QRegularExpression::MultilineOption).match(info);
    document.pages = pages.captured(1).toInt();
    const auto size = QRegularExpression(QStringLiteral("^Page size:\\s+([\\d.]+) x ([\\d.]+) pts"),
                                         QRegularExpression::MultilineOption).match(info);
    document.width = size.captured(1).toDouble();
    document.height = size.captured(2).toDouble();
    const auto rotation = QRegularExpression(QStringLiteral("^Page rot:\\s+(\\d+)"),
                                             QRegularExpression::MultilineOption).match(info);
    document.rotation = rotation.captured(1).toInt();
    document.text = WithoutSpaces(RunTool(QStringLiteral("pdftotext"), {path, QStringLiteral("-")}));
    return document;
}

QString WithoutSpaces(const QString& text)
{
    QString result;
    for (const QChar c : text) {
        if (!c.isSpace())
            result += c;
    }
    return result;
}

}  // namespace zentavo::testing
