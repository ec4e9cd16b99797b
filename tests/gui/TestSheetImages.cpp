#include "generation/GenerateProblems.h"
#include "render/MakePrint.h"
#include "support/RecordingCanvas.h"
#include "window/canvas/QtSheetCanvas.h"

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
#include <limits>
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
    std::string name;
    SheetOptions options;
    ProblemList list;
};

Sheet MakeSheet(const std::string& name, SheetOptions options)
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

// Answer sheets of every count item with the longest texts: circled numbers
// with each kind of blank box, with x100, and a two-digit mode with
// remainders; and 80 problems drawn after the count item was changed to 9.
std::vector<Sheet> WideSheets()
{
    struct Variant {
        const char* name;
        int32_t rgSquare, MGroup, Amari;
    };
    constexpr Variant Variants[] = {
        {"dividend-box", 1, 0, 0}, {"divisor-box", 2, 0, 0}, {"mixed-box", 3, 0, 0},
        {"hundreds", 0, 2, 0},     {"remainders", 0, 0, 6},
    };
    std::vector<Sheet> sheets;
    for (const Variant& variant : Variants) {
        SheetOptions options;
        options.DanMask = 0x3FE;
        options.RandomCheck = 1;
        options.rgNum = 1;
        options.rgSquare = variant.rgSquare;
        options.MGroup = variant.MGroup;
        options.Amari = variant.Amari;
        for (int32_t item = 0; item <= 13; ++item) {
            options.QNumCheck = item;
            sheets.push_back(MakeSheet(std::string(variant.name) + " item " + std::to_string(item), options));
        }
        options.QNumCheck = 11;
        Sheet changed = MakeSheet(std::string(variant.name) + " 80 under item 0", options);
        changed.options.QNumCheck = 0;
        sheets.push_back(changed);
    }
    return sheets;
}

// The problem texts of a recorded sheet, left to right by column.
struct ProblemColumns {
    std::vector<int> xs;  // each column's x
    int top = 0, bottom = 0;  // from the first row's top to the last row's foot
};

ProblemColumns ColumnsOf(const std::vector<test::CanvasCall>& calls)
{
    ProblemColumns columns;
    int texts = 0, cellHeight = 0;
    columns.top = std::numeric_limits<int>::max();
    for (const test::CanvasCall& call : calls) {
        if (call.kind == test::CanvasCall::Kind::FontHeight)
            cellHeight = call.a;
        if (call.kind != test::CanvasCall::Kind::Text || ++texts <= 4)  // the header's four
            continue;
        if (std::find(columns.xs.begin(), columns.xs.end(), call.a) == columns.xs.end())
            columns.xs.push_back(call.a);
        columns.top = std::min(columns.top, call.b);
        columns.bottom = std::max(columns.bottom, call.b + cellHeight);
    }
    std::sort(columns.xs.begin(), columns.xs.end());
    return columns;
}

// Replays a recorded sheet's problem texts on the Qt canvas with each column
// moved so that its bound (the next column's x, or the page's width after
// the last column) falls on the left edge of a strip of its own, `stripWidth`
// wide, and clipped to that strip: ink in a strip has crossed its column's
// bound. Moving by whole pixels leaves every glyph's pixels as they are.
QImage InkPastColumnBounds(const std::vector<test::CanvasCall>& calls, const ProblemColumns& columns,
                           int pageWidth, int stripWidth)
{
    QImage strips(stripWidth * static_cast<int>(columns.xs.size()), columns.bottom - columns.top,
                  QImage::Format_Grayscale8);
    strips.fill(Qt::white);
    QPainter painter(&strips);
    QtSheetCanvas canvas(painter);
    int texts = 0;
    for (const test::CanvasCall& call : calls) {
        using Kind = test::CanvasCall::Kind;
        switch (call.kind) {
        case Kind::BrushStyle: canvas.SetBrushStyle(static_cast<BrushStyle>(call.a)); break;
        case Kind::BrushColor: canvas.SetBrushColor(static_cast<uint32_t>(call.a)); break;
        case Kind::PenColor: canvas.SetPenColor(static_cast<uint32_t>(call.a)); break;
        case Kind::FontName: canvas.SetFontName(call.text); break;
        case Kind::FontHeight: canvas.SetFontHeight(call.a); break;
        case Kind::Rectangle: break;  // the white page
        case Kind::Text: {
            if (++texts <= 4)
                break;
            const auto column = std::find(columns.xs.begin(), columns.xs.end(), call.a);
            const int k = static_cast<int>(column - columns.xs.begin());
            const int bound = column + 1 != columns.xs.end() ? *(column + 1) : pageWidth;
            painter.setClipRect(k * stripWidth, 0, stripWidth, strips.height());
            canvas.PutText(call.a - bound + k * stripWidth, call.b - columns.top, call.text);
            break;
        }
        }
    }
    return strips;
}

// No ink of a column's texts reaches the next column's x, nor the page's
// right edge, on the answer sheets with the widest texts of every count item.
TEST(SheetImages, ProblemTextsStayInTheirColumnsAndOnThePage)
{
    QBuffer sizing;
    QPdfWriter writer(&sizing);
    writer.setResolution(1200);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    const PdfPage pages[] = {{320, 441}, {writer.width(), writer.height()}};

    for (const Sheet& sheet : WideSheets()) {
        for (const PdfPage& page : pages) {
            ProblemList list = sheet.list;
            test::RecordingCanvas recorder;
            MakePrint(recorder, page.width, page.height, 1, sheet.options, list, 7);
            const ProblemColumns columns = ColumnsOf(recorder.calls);
            ASSERT_FALSE(columns.xs.empty()) << sheet.name;
            // A text that runs on leaves ink within half a cell of its bound:
            // no gap between two characters' ink is as wide.
            const int stripWidth = SheetScaler::ForTarget(page.width, page.height).ScaleCoord(8);
            const QImage strips = InkPastColumnBounds(recorder.calls, columns, page.width, stripWidth);
            for (int k = 0; k < static_cast<int>(columns.xs.size()); ++k)
                EXPECT_EQ(InkIn(strips, QRect(k * stripWidth, 0, stripWidth, strips.height())), 0)
                    << sheet.name << " at " << page.width << " x " << page.height << ": column " << k + 1
                    << " of " << columns.xs.size();
        }
    }
}

}  // namespace
}  // namespace zentavo
