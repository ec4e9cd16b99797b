#include "generation/GenerateProblems.h"
#include "render/MakePrint.h"
#include "support/RecordingCanvas.h"
#include "window/QtSheetCanvas.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace zentavo {
namespace {

// Stands for whatever lies beyond the page: magenta in colour images, which
// black text on white never produces, mid grey in grey ones.
QRgb BackdropOf(const QImage& image)
{
    return image.format() == QImage::Format_Grayscale8 ? 0xFF808080 : 0xFFFF00FF;
}
constexpr int InkLevel = 160;          // grey levels below this count as ink

struct Sheet {
    const char* name;
    SheetOptions options;
    ProblemList list;
};

Sheet MakeSheet(const char* name, SheetOptions options)
{
    Sheet sheet{name, options, {}};
    RandomSource random;
    random.RandomSeed = 20240401;
    EXPECT_EQ(GenerateProblems(sheet.options, sheet.list, random), GenerateResult::Generated) << name;
    return sheet;
}

std::vector<Sheet> Sheets()
{
    SheetOptions numbered80;
    numbered80.DanMask = 0x3FE;
    numbered80.QNumCheck = 11;
    numbered80.RandomCheck = 1;
    numbered80.rgNum = 1;
    numbered80.rgSquare = 3;

    SheetOptions twoDigit40;
    twoDigit40.DanMask = 0x3FE;
    twoDigit40.QNumCheck = 7;
    twoDigit40.Amari = 4;

    SheetOptions hundreds54 = numbered80;
    hundreds54.QNumCheck = 8;
    hundreds54.rgSquare = 0;
    hundreds54.MGroup = 2;
    hundreds54.JousuuCheck = 1;

    return {MakeSheet("numbered80", numbered80), MakeSheet("twodigit40", twoDigit40),
            MakeSheet("hundreds54", hundreds54)};
}

struct PlacedText {
    int x, y, height;
};

// Where MakePrint puts each text and in which cell height.
std::vector<PlacedText> PlacedTexts(Sheet sheet, int width, int height, int answers)
{
    test::RecordingCanvas recorder;
    MakePrint(recorder, width, height, answers, sheet.options, sheet.list, 7);
    std::vector<PlacedText> placed;
    int cellHeight = 0;
    for (const test::CanvasCall& call : recorder.calls) {
        if (call.kind == test::CanvasCall::Kind::FontHeight)
            cellHeight = call.a;
        else if (call.kind == test::CanvasCall::Kind::Text)
            placed.push_back({call.a, call.b, cellHeight});
    }
    return placed;
}

// A text's cell: from its point to the next text to its right on the same
// line (or the page's right edge), one cell height down.
QRect CellOf(const PlacedText& text, const std::vector<PlacedText>& all, int pageWidth)
{
    int right = pageWidth;
    for (const PlacedText& other : all)
        if (other.y == text.y && other.x > text.x)
            right = std::min(right, other.x);
    return QRect(text.x, text.y, right - text.x, text.height);
}

int InkIn(const QImage& gray, const QRect& area)
{
    const QRect clipped = area & gray.rect();
    int ink = 0;
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        const uchar* line = gray.constScanLine(y);
        for (int x = clipped.left(); x <= clipped.right(); ++x)
            ink += line[x] < InkLevel;
    }
    return ink;
}

// Every text, header and problems alike, leaves ink in its own cell.
void ExpectInkInEveryCell(const QImage& gray, const std::vector<PlacedText>& texts, int pageWidth, double scale,
                          const std::string& what)
{
    ASSERT_FALSE(texts.empty()) << what;
    for (size_t i = 0; i < texts.size(); ++i) {
        const QRect cell = CellOf(texts[i], texts, pageWidth);
        const QRect seen(std::lround(cell.x() * scale), std::lround(cell.y() * scale),
                         std::max(1L, std::lround(cell.width() * scale)),
                         std::max(1L, std::lround(cell.height() * scale)));
        EXPECT_GT(InkIn(gray, seen), 0) << what << ": text " << i << " at " << texts[i].x << "," << texts[i].y;
    }
}

QString OutputFolder()
{
    QString folder = qEnvironmentVariable("ZENTAVO_TEST_OUTPUT");
    if (folder.isEmpty())
        folder = QDir::temp().filePath(QStringLiteral("zentavo-test-output"));
    QDir().mkpath(folder);
    return folder;
}

QString OutputPath(const std::string& name)
{
    return QDir(OutputFolder()).filePath(QString::fromStdString(name));
}

const char* KindOf(int answers)
{
    return answers == 1 ? "answers" : "questions";
}

// The sheet drawn into the top-left width x height of a larger image, so that
// anything drawn past the page shows against the backdrop.
QImage DrawOnImage(Sheet sheet, int width, int height, int answers, int margin, QImage::Format format)
{
    QImage image(width + margin, height + margin, format);
    image.fill(QColor::fromRgb(BackdropOf(image)));
    QPainter painter(&image);
    QtSheetCanvas canvas(painter);
    MakePrint(canvas, width, height, answers, sheet.options, sheet.list, 7);
    return image;
}

// Pixels in `area` that differ from the backdrop.
int ChangedIn(const QImage& image, const QRect& area)
{
    const QRgb backdrop = BackdropOf(image);
    int changed = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            changed += image.pixel(x, y) != backdrop;
    return changed;
}

// Past the right edge of the page there may only be the ends of texts that
// run on beyond it: nothing white, nothing outside a text's line.
void ExpectOnlyRunOnTextRightOf(const QImage& image, int pageWidth, const std::vector<PlacedText>& texts,
                                const std::string& what)
{
    const QRgb backdrop = BackdropOf(image);
    for (int y = 0; y < image.height(); ++y) {
        const bool onTextLine = std::any_of(texts.begin(), texts.end(), [&](const PlacedText& text) {
            return y >= text.y && y < text.y + text.height;
        });
        for (int x = pageWidth; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (pixel == backdrop)
                continue;
            ASSERT_TRUE(onTextLine) << what << ": paint at " << x << "," << y;
            ASSERT_NE(pixel, 0xFFFFFFFF) << what << ": white at " << x << "," << y;
        }
    }
}

TEST(SheetImages, PreviewSizeSheetsShowEveryTextInItsCell)
{
    constexpr int Width = 320, Height = 441, Margin = 60;
    for (const Sheet& sheet : Sheets()) {
        for (const int answers : {0, 1}) {
            const std::string what = std::string(sheet.name) + " " + KindOf(answers);
            const QImage image = DrawOnImage(sheet, Width, Height, answers, Margin, QImage::Format_RGB32);
            image.copy(0, 0, Width, Height).save(OutputPath("preview-" + std::string(sheet.name) + "-" +
                                                            KindOf(answers) + ".png"));

            // The white page covers all but the last column and row.
            EXPECT_EQ(ChangedIn(image, QRect(0, 0, Width - 1, Height - 1)), (Width - 1) * (Height - 1)) << what;
            EXPECT_EQ(ChangedIn(image, QRect(0, Height - 1, Width, 1)), 0) << what;
            // Nothing below the page.
            EXPECT_EQ(ChangedIn(image, QRect(0, Height, Width + Margin, Margin)), 0) << what;

            const std::vector<PlacedText> texts = PlacedTexts(sheet, Width, Height, answers);
            ExpectOnlyRunOnTextRightOf(image, Width - 1, texts, what);
            ExpectInkInEveryCell(image.convertToFormat(QImage::Format_Grayscale8), texts, Width, 1.0, what);
        }
    }
}

struct PdfPage {
    int width = 0, height = 0;
};

// Both sheets as two A4 pages at 1200 dpi, the way a printer page is drawn.
PdfPage WriteA4Pdf(Sheet sheet, QIODevice& device)
{
    QPdfWriter writer(&device);
    writer.setResolution(1200);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    const PdfPage page{writer.width(), writer.height()};
    QPainter painter(&writer);
    for (const int answers : {0, 1}) {
        if (answers == 1)
            writer.newPage();
        QtSheetCanvas canvas(painter);
        MakePrint(canvas, page.width, page.height, answers, sheet.options, sheet.list, 7);
    }
    return page;
}

TEST(SheetImages, A4PageAt1200DpiShowsEveryTextInItsCell)
{
    // The raster engine draws the printer page's calls at full size.
    const Sheet sheet = Sheets().front();
    QBuffer sizing;
    sizing.open(QIODevice::WriteOnly);
    const PdfPage page = WriteA4Pdf(sheet, sizing);
    // A4 is 210 x 297 mm, give or take Qt's rounding to whole points.
    EXPECT_NEAR(page.width, 9921, 10);
    EXPECT_NEAR(page.height, 14031, 10);

    constexpr int Margin = 600;
    for (const int answers : {0, 1}) {
        const std::string what = std::string("A4 ") + KindOf(answers);
        const QImage image =
            DrawOnImage(sheet, page.width, page.height, answers, Margin, QImage::Format_Grayscale8);
        const std::vector<PlacedText> texts = PlacedTexts(sheet, page.width, page.height, answers);
        EXPECT_EQ(ChangedIn(image, QRect(0, page.height, image.width(), Margin)), 0) << what;
        ExpectOnlyRunOnTextRightOf(image, page.width, texts, what);
        ExpectInkInEveryCell(image, texts, page.width, 1.0, what);

        image.copy(0, 0, page.width, page.height)
            .scaledToWidth(1240, Qt::SmoothTransformation)
            .save(OutputPath(std::string("a4-raster-") + KindOf(answers) + ".png"));
        image.copy(0, 0, 3200, 3200).save(OutputPath(std::string("a4-raster-corner-") + KindOf(answers) + ".png"));
    }
}

TEST(SheetImages, A4PdfAt1200DpiRastersWithEveryTextInItsCell)
{
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (pdftoppm.isEmpty())
        GTEST_SKIP() << "pdftoppm is not installed";

    const Sheet sheet = Sheets().front();
    QFile pdf(OutputPath("a4-numbered80.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::WriteOnly));
    const PdfPage page = WriteA4Pdf(sheet, pdf);
    pdf.close();

    constexpr int Dpi = 150;
    const QString prefix = OutputPath("a4-pdf");
    QProcess process;
    process.start(pdftoppm, {QStringLiteral("-r"), QString::number(Dpi), QStringLiteral("-gray"),
                             QStringLiteral("-png"), pdf.fileName(), prefix});
    ASSERT_TRUE(process.waitForFinished(60000));
    ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();

    for (const int answers : {0, 1}) {
        const std::string what = std::string("PDF ") + KindOf(answers);
        QImage raster(prefix + QStringLiteral("-%1.png").arg(answers + 1));
        ASSERT_FALSE(raster.isNull()) << what;
        raster = raster.convertToFormat(QImage::Format_Grayscale8);
        const double scale = static_cast<double>(raster.width()) / page.width;
        EXPECT_NEAR(scale, Dpi / 1200.0, 0.001) << what;
        ExpectInkInEveryCell(raster, PlacedTexts(sheet, page.width, page.height, answers), page.width, scale, what);
    }
}

}  // namespace
}  // namespace zentavo
