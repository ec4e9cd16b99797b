// The browser edition sizes and places its SVG texts as the desktop does:
// for every cell height a sheet can use up to the largest at 1200 dpi, the
// same pixel size and the same ascent as the Qt canvas, with the faces that
// the embedded ones are made from.
#include "render/ShiftJis.h"
#include "web/FaceNames.h"
#include "web/SvgCanvas.h"
#include "window/canvas/QtSheetCanvas.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QRawFont>

#include <gtest/gtest.h>

#include <string>

namespace zentavo {
namespace {

int32_t BigEndian16(const QByteArray& table, int offset)
{
    return static_cast<int32_t>((static_cast<uint8_t>(table[offset]) << 8) | static_cast<uint8_t>(table[offset + 1]));
}

// Units per em from 'head', the Windows ascent and descent from 'OS/2'.
FaceMetrics MetricsOf(const QString& family)
{
    const QRawFont raw = QRawFont::fromFont(QFont(family));
    const QByteArray os2 = raw.fontTable("OS/2");
    EXPECT_GE(os2.size(), 78) << family.toStdString();
    return {BigEndian16(raw.fontTable("head"), 18), BigEndian16(os2, 74), BigEndian16(os2, 76)};
}

TEST(SvgFaceSizing, PixelSizeAndAscentAsTheDesktopCanvas)
{
    QImage image(8, 8, QImage::Format_RGB32);
    QPainter painter(&image);
    QtSheetCanvas canvas(painter);
    for (const EmbeddedFaceName& face : EmbeddedFaceNames) {
        const QString source = QString::fromUtf8(face.source.data(), static_cast<qsizetype>(face.source.size()));
        const FaceMetrics metrics = MetricsOf(source);
        canvas.SetFontName(std::string(face.sheetName));
        canvas.SetFontHeight(16);
        ASSERT_EQ(QFontInfo(*canvas.TextFont()).family(), source) << "not installed";
        // The largest cell: a header line on A3 at 1200 dpi.
        for (int32_t cell = 1; cell <= 800; ++cell) {
            canvas.SetFontHeight(cell);
            const QFont font = *canvas.TextFont();
            const SizedFace sized = SizeFace(metrics, cell);
            ASSERT_EQ(sized.pixelSize, font.pixelSize()) << source.toStdString() << " cell " << cell;
            ASSERT_EQ(sized.ascent64 / 64.0, QFontMetricsF(font, &image).ascent()) << source.toStdString() << " cell " << cell;
        }
    }
}

}  // namespace
}  // namespace zentavo
