#include "render/ShiftJis.h"
#include "window/canvas/QtSheetCanvas.h"
#include "window/canvas/ShiftJisText.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QRect>

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <tuple>

namespace zentavo {
namespace {

constexpr QRgb Backdrop = 0xFF808080;  // mid grey: any paint shows against it

QImage Backdropped(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Backdrop);
    return image;
}

// The smallest rectangle holding every pixel that differs from the backdrop.
QRect InkBounds(const QImage& image)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != Backdrop)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

std::string Mincho() { return std::string(sjis::MinchoFace); }
std::string Gothic() { return std::string(sjis::GothicFace); }

TEST(ShiftJisText, DecodesTheSheetCharacters)
{
    for (int n = 1; n <= sjis::CircledNumeralCount; ++n)
        EXPECT_EQ(ShiftJisToUnicode(sjis::CircledNumeral(n)), QString(QChar(0x2460 + n - 1))) << n;

    const std::string answer = sjis::CircledNumeral(5) + "99" + std::string(sjis::Divide) + "2" +
                               std::string(sjis::Equals) + "49" + std::string(sjis::Ellipsis) + "1";
    EXPECT_EQ(ShiftJisToUnicode(answer), QStringLiteral("⑤99÷2＝49…1"));
    EXPECT_EQ(ShiftJisToUnicode("[ ]\x81\x80" "6"), QStringLiteral("[ ]÷6"));
    EXPECT_EQ(ShiftJisToUnicode(sjis::MinchoFace), QStringLiteral("ＭＳ 明朝"));
    EXPECT_EQ(ShiftJisToUnicode(sjis::GothicFace), QStringLiteral("ＭＳ ゴシック"));
    EXPECT_EQ(ShiftJisToUnicode(sjis::NameBox), QStringLiteral("（　　　　　　　　　　　）"));
    EXPECT_EQ(ShiftJisToUnicode(std::string(sjis::PrintNumberLabel) + "12"), QStringLiteral("問題No.12"));
    EXPECT_EQ(ShiftJisToUnicode(""), QString());
}

TEST(ShiftJisText, RefusesInvalidAndTruncatedBytes)
{
    EXPECT_EQ(ShiftJisToUnicode("54\x81"), std::nullopt);      // lead byte at the end
    EXPECT_EQ(ShiftJisToUnicode("\x87\x20" "1"), std::nullopt);  // blank is no trail byte
    EXPECT_EQ(ShiftJisToUnicode("\xFF"), std::nullopt);
    // A failure leaves nothing behind for the next conversion.
    EXPECT_EQ(ShiftJisToUnicode("\x81\x80"), QStringLiteral("÷"));
}

struct RectangleCase {
    int x1, y1, x2, y2;
};

TEST(QtSheetCanvas, RectangleCoversLeftTopInclusiveRightBottomExclusive)
{
    for (const RectangleCase r : {RectangleCase{2, 3, 12, 9}, RectangleCase{5, 5, 6, 6}, RectangleCase{0, 0, 2, 2},
                                  RectangleCase{4, 1, 7, 19}}) {
        for (const BrushStyle style : {BrushStyle::bsSolid, BrushStyle::bsClear}) {
            QImage image = Backdropped(24, 24);
            {
                QPainter painter(&image);
                QtSheetCanvas canvas(painter);
                canvas.SetBrushStyle(style);
                canvas.SetBrushColor(0xFF0000);
                canvas.SetPenColor(0x0000FF);
                canvas.DrawRectangle(r.x1, r.y1, r.x2, r.y2);
            }
            for (int y = 0; y < 24; ++y) {
                for (int x = 0; x < 24; ++x) {
                    const bool inside = x >= r.x1 && x < r.x2 && y >= r.y1 && y < r.y2;
                    const bool edge = inside && (x == r.x1 || x == r.x2 - 1 || y == r.y1 || y == r.y2 - 1);
                    QRgb expected = Backdrop;
                    if (edge)
                        expected = 0xFF0000FF;
                    else if (inside && style == BrushStyle::bsSolid)
                        expected = 0xFFFF0000;
                    ASSERT_EQ(image.pixel(x, y), expected)
                        << "pixel " << x << "," << y << " of " << r.x1 << "," << r.y1 << "," << r.x2 << ","
                        << r.y2 << (style == BrushStyle::bsSolid ? " solid" : " clear");
                }
            }
        }
    }
}

TEST(QtSheetCanvas, EmptyRectangleDrawsNothing)
{
    QImage image = Backdropped(8, 8);
    {
        QPainter painter(&image);
        QtSheetCanvas canvas(painter);
        canvas.DrawRectangle(3, 3, 3, 6);
        canvas.DrawRectangle(0, 0, 0, 0);
    }
    EXPECT_TRUE(InkBounds(image).isNull());
}

TEST(QtSheetCanvas, RectangleAtExtremeCoordinatesDoesNotWrap)
{
    constexpr int32_t Max = std::numeric_limits<int32_t>::max();
    constexpr int32_t Min = std::numeric_limits<int32_t>::min();
    QImage image = Backdropped(8, 8);
    {
        QPainter painter(&image);
        QtSheetCanvas canvas(painter);
        canvas.SetBrushColor(0xFF0000);
        canvas.SetPenColor(0x0000FF);
        canvas.DrawRectangle(Min, Min, Min, Min);
        canvas.DrawRectangle(Max, Max, Max, Max);
        canvas.DrawRectangle(Max, 0, Min, 3);  // reversed corners: a full-width band
    }
    // The band's left and right edges lie far off the image; its top and
    // bottom rows show the pen, the row between them the brush.
    EXPECT_EQ(image.pixel(4, 0), 0xFF0000FF);
    EXPECT_EQ(image.pixel(4, 1), 0xFFFF0000);
    EXPECT_EQ(image.pixel(0, 1), 0xFFFF0000);
    EXPECT_EQ(image.pixel(4, 2), 0xFF0000FF);
    EXPECT_EQ(image.pixel(4, 3), Backdrop);
}

TEST(QtSheetCanvas, CellHeightIsAscentPlusDescent)
{
    QImage image = Backdropped(4, 4);
    QPainter painter(&image);
    QtSheetCanvas canvas(painter);
    for (const std::string& face : {Mincho(), Gothic()}) {
        canvas.SetFontName(face);
        for (const int height : {6, 9, 12, 14, 16, 24, 186, 496}) {
            canvas.SetFontHeight(height);
            const std::optional<QFont> font = canvas.TextFont();
            ASSERT_TRUE(font);
            const QFontMetrics metrics(*font, &image);
            EXPECT_NEAR(metrics.ascent() + metrics.descent(), height, 1) << height;
        }
    }
    canvas.SetFontName(Mincho());
    EXPECT_EQ(QFontInfo(*canvas.TextFont()).family(), QStringLiteral("IPAMincho"));
    canvas.SetFontName(Gothic());
    EXPECT_EQ(QFontInfo(*canvas.TextFont()).family(), QStringLiteral("IPAGothic"));
}

// Draws one text with a clear brush and returns its ink.
QRect InkOfText(const std::string& face, int height, int x, int y, const std::string& text, QImage& image)
{
    image = Backdropped(400, 200);
    {
        QPainter painter(&image);
        QtSheetCanvas canvas(painter);
        canvas.SetBrushStyle(BrushStyle::bsClear);
        canvas.SetFontName(face);
        canvas.SetFontHeight(height);
        canvas.PutText(x, y, text);
    }
    return InkBounds(image);
}

TEST(QtSheetCanvas, TextInkLiesInTheCellBelowAndRightOfItsPoint)
{
    const std::string bracketed = sjis::CircledNumeral(20) + "[54]" + std::string(sjis::Divide) + "6" +
                                  std::string(sjis::Equals) + "9";
    for (const std::string& face : {Mincho(), Gothic()}) {
        for (const int height : {12, 16, 48, 96}) {
            for (const std::string& text : {bracketed, std::string(sjis::SheetTitle)}) {
                QImage image;
                const QRect ink = InkOfText(face, height, 30, 40, text, image);
                ASSERT_FALSE(ink.isNull()) << height;
                EXPECT_GE(ink.left(), 30) << height;
                EXPECT_GE(ink.top(), 40) << height;
                EXPECT_LT(ink.bottom(), 40 + height) << height;
                // Not merely inside: the characters fill most of the cell.
                EXPECT_GT(ink.height(), height / 2) << height;
            }
        }
    }
}

TEST(QtSheetCanvas, ClearBrushLeavesTheBackgroundUnderText)
{
    QImage image;
    const QRect ink = InkOfText(Mincho(), 32, 10, 10, std::string(sjis::Instruction), image);
    ASSERT_FALSE(ink.isNull());
    int dark = 0;
    for (int y = 10; y < 42; ++y) {
        for (int x = 10; x < 10 + 7 * 32; ++x) {
            const QColor c = image.pixelColor(x, y);
            // Black text blended over grey: only ever darker, never lighter.
            ASSERT_LE(c.red(), 0x80) << x << "," << y;
            ASSERT_TRUE(c.red() == c.green() && c.green() == c.blue()) << x << "," << y;
            dark += c.red() < 0x40;
        }
    }
    EXPECT_GT(dark, 100);
    EXPECT_EQ(image.pixel(10, 10), Backdrop);  // cell corner: no ink, no fill
}

TEST(QtSheetCanvas, SolidBrushFillsTheTextCell)
{
    QImage image = Backdropped(100, 40);
    {
        QPainter painter(&image);
        QtSheetCanvas canvas(painter);
        canvas.SetBrushStyle(BrushStyle::bsSolid);
        canvas.SetBrushColor(clWhite);
        canvas.SetFontName(Mincho());
        canvas.SetFontHeight(16);
        canvas.PutText(5, 5, "12");
    }
    EXPECT_EQ(image.pixel(5, 5), 0xFFFFFFFF);
    EXPECT_EQ(image.pixel(5, 20), 0xFFFFFFFF);
    EXPECT_EQ(image.pixel(5, 21), Backdrop);
    EXPECT_EQ(image.pixel(4, 5), Backdrop);
}

TEST(QtSheetCanvas, UndecodableTextOrEmptyCellDrawsNothing)
{
    QImage image;
    EXPECT_TRUE(InkOfText(Mincho(), 16, 10, 10, "54\x81", image).isNull());
    EXPECT_TRUE(InkOfText(Mincho(), 0, 10, 10, "54", image).isNull());
    EXPECT_TRUE(InkOfText(Mincho(), -16, 10, 10, "54", image).isNull());
    EXPECT_TRUE(InkOfText(Mincho(), std::numeric_limits<int32_t>::max(), 10, 10, "54", image).isNull());
    EXPECT_FALSE(InkOfText(Mincho(), 16, 10, 10, "54", image).isNull());
}

// A canvas kept across pages reuses what it sized and laid out: a text
// drawn again after other faces, sizes and texts looks as on a new canvas.
TEST(QtSheetCanvas, TextDrawnAgainAfterOtherFontsLooksAsOnANewCanvas)
{
    const std::string problem = sjis::CircledNumeral(3) + "54" + std::string(sjis::Divide) + "6";
    const std::string title(sjis::SheetTitle);
    QImage fresh;
    InkOfText(Mincho(), 24, 30, 40, problem, fresh);

    QImage reused = Backdropped(400, 200);
    {
        QPainter painter(&reused);
        QtSheetCanvas canvas(painter);
        canvas.SetBrushStyle(BrushStyle::bsClear);
        for (const auto& [face, height, text] : {std::tuple{Mincho(), 24, problem}, std::tuple{Mincho(), 24, title},
                                                 std::tuple{Gothic(), 24, problem}, std::tuple{Mincho(), 12, problem}}) {
            canvas.SetFontName(face);
            canvas.SetFontHeight(height);
            canvas.PutText(30, 40, text);
        }
        painter.fillRect(reused.rect(), QColor::fromRgb(Backdrop));
        canvas.SetFontName(Mincho());
        canvas.SetFontHeight(24);
        canvas.PutText(30, 40, problem);
    }
    EXPECT_EQ(reused, fresh);
}

TEST(QtSheetCanvas, UndecodableFontNameKeepsTheTypeface)
{
    QImage image = Backdropped(4, 4);
    QPainter painter(&image);
    QtSheetCanvas canvas(painter);
    canvas.SetFontName(Gothic());
    canvas.SetFontName("\x82");
    EXPECT_EQ(QFontInfo(*canvas.TextFont()).family(), QStringLiteral("IPAGothic"));
}

}  // namespace
}  // namespace zentavo
