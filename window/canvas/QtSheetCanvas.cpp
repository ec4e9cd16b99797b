#include "window/canvas/QtSheetCanvas.h"

#include "window/canvas/FontMapping.h"
#include "window/canvas/ShiftJisText.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QRect>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace zentavo {
namespace {

QColor ColorOf(uint32_t rgb)
{
    return QColor::fromRgb((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

// The sheet never sets a font colour: texts take the window-text colour.
const QColor TextColor = ColorOf(clBlack);

// Taller cells (over a metre at 1200 dpi) come only from absurd target sizes;
// their texts are not drawn rather than handed to the font engine.
constexpr int32_t LargestCellHeight = 1 << 16;

// Bounds on what a canvas keeps: a sheet uses a handful of sizes, a run of
// times-table sheets a few thousand texts, and one of numbered two-digit
// sheets with their answers some 29,000 (about half a kilobyte each).
constexpr size_t MostSizedFonts = 64;
constexpr size_t MostTexts = 32768;

}  // namespace

QtSheetCanvas::QtSheetCanvas(QPainter& painter)
    : painter_(painter), brushColor_(ColorOf(clWhite)), penColor_(ColorOf(clBlack)), family_(SystemFaceName)
{
}

void QtSheetCanvas::SetBrushStyle(BrushStyle style)
{
    brushStyle_ = style;
}

void QtSheetCanvas::SetBrushColor(uint32_t rgb)
{
    brushColor_ = ColorOf(rgb);
}

void QtSheetCanvas::SetPenColor(uint32_t rgb)
{
    penColor_ = ColorOf(rgb);
}

void QtSheetCanvas::DrawRectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    const std::optional<QRect> area = VisiblePart(x1, y1, x2, y2);
    if (!area)
        return;
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing, false);
    if (brushStyle_ == BrushStyle::bsSolid)
        painter_.fillRect(*area, brushColor_);
    // The one-pixel outline as strips of whole pixels, each drawn only where
    // the figure's edge is on the device: every paint engine, raster or PDF,
    // then covers exactly the same pixels.
    const int64_t left = std::min(x1, x2);
    const int64_t top = std::min(y1, y2);
    const int64_t right = std::max<int64_t>(x1, x2) - 1;
    const int64_t bottom = std::max<int64_t>(y1, y2) - 1;
    if (top == area->top())
        painter_.fillRect(QRect(area->left(), area->top(), area->width(), 1), penColor_);
    if (bottom == area->bottom())
        painter_.fillRect(QRect(area->left(), area->bottom(), area->width(), 1), penColor_);
    if (left == area->left())
        painter_.fillRect(QRect(area->left(), area->top(), 1, area->height()), penColor_);
    if (right == area->right())
        painter_.fillRect(QRect(area->right(), area->top(), 1, area->height()), penColor_);
    painter_.restore();
}

// The part of the figure covering x1..x2-1, y1..y2-1 (in either order) that
// lies on the device, worked out in 64 bits so that no extreme coordinate
// wraps; nullopt when nothing of it is on the device.
std::optional<QRect> QtSheetCanvas::VisiblePart(int64_t x1, int64_t y1, int64_t x2, int64_t y2) const
{
    const QPaintDevice* device = painter_.device();
    const int64_t left = std::max<int64_t>(std::min(x1, x2), 0);
    const int64_t top = std::max<int64_t>(std::min(y1, y2), 0);
    const int64_t right = std::min<int64_t>(std::max(x1, x2), device->width());   // exclusive
    const int64_t bottom = std::min<int64_t>(std::max(y1, y2), device->height()); // exclusive
    if (left >= right || top >= bottom)
        return std::nullopt;
    return QRect(static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
                 static_cast<int>(bottom - top));
}

void QtSheetCanvas::SetFontName(const std::string& name)
{
    // An undecodable name keeps the current typeface.
    if (const std::optional<QString> family = ShiftJisToUnicode(name); family && *family != family_) {
        family_ = *family;
        font_ = nullptr;
    }
}

void QtSheetCanvas::SetFontHeight(int32_t height)
{
    if (height != cellHeight_) {
        cellHeight_ = height;
        font_ = nullptr;
    }
}

void QtSheetCanvas::PutText(int32_t x, int32_t y, const std::string& text)
{
    SizedFont* font = CurrentFont();
    if (font == nullptr)
        return;
    std::optional<ShapedText>& shaped = Shaped(*font, text);
    if (!shaped)
        return;

    painter_.save();
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    if (brushStyle_ == BrushStyle::bsSolid) {
        if (!shaped->advance)
            shaped->advance = QFontMetricsF(font->font, painter_.device()).horizontalAdvance(*ShiftJisToUnicode(text));
        painter_.fillRect(QRectF(x, y, *shaped->advance, cellHeight_), brushColor_);
    }
    painter_.setPen(TextColor);
    const QPointF baseline(x, y + font->ascent);
    for (const QGlyphRun& run : shaped->runs)
        painter_.drawGlyphRun(baseline, run);
    painter_.restore();
}

// Shaping a text costs far more than drawing its glyphs (at printer sizes
// FreeType loads every glyph afresh for its advance), and a set of sheets
// draws the same few hundred texts over and over.
std::optional<QtSheetCanvas::ShapedText>& QtSheetCanvas::Shaped(SizedFont& font, const std::string& text)
{
    if (const auto known = font.texts.find(text); known != font.texts.end())
        return known->second;
    if (textsKept_ >= MostTexts) {
        for (auto& [key, sized] : fonts_)
            sized.texts.clear();
        textsKept_ = 0;
    }
    ++textsKept_;
    std::optional<ShapedText>& shaped = font.texts[text];
    const std::optional<QString> unicode = ShiftJisToUnicode(text);
    if (!unicode || unicode->isEmpty())
        return shaped;
    // Laid out as QPainter::drawText lays out a text on one line.
    QTextLayout layout(*unicode, font.font, painter_.device());
    layout.setCacheEnabled(true);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setNumColumns(static_cast<int>(unicode->size()));
    line.setPosition(QPointF(0, -line.ascent()));
    layout.endLayout();
    shaped = ShapedText{layout.glyphRuns(), std::nullopt};
    return shaped;
}

std::optional<QFont> QtSheetCanvas::TextFont()
{
    const SizedFont* font = CurrentFont();
    return font ? std::optional<QFont>(font->font) : std::nullopt;
}

QtSheetCanvas::SizedFont* QtSheetCanvas::CurrentFont()
{
    if (cellHeight_ <= 0 || cellHeight_ > LargestCellHeight)
        return nullptr;
    if (!font_) {
        const std::pair<QString, int32_t> key{family_, cellHeight_};
        auto known = fonts_.find(key);
        if (known == fonts_.end()) {
            if (fonts_.size() >= MostSizedFonts) {
                fonts_.clear();
                textsKept_ = 0;
            }
            known = fonts_.emplace(key, SizeFont(cellHeight_)).first;
        }
        font_ = &known->second;
    }
    return font_;
}

// Finds the pixel size whose ascent plus descent on the painter's device
// comes closest to the cell height. Hinting is off so that the layout is the
// same on the screen and on a printer page.
QtSheetCanvas::SizedFont QtSheetCanvas::SizeFont(int32_t cellHeight) const
{
    QFont font(family_);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::PreferAntialias);

    const auto cellAt = [&](int pixelSize) {
        font.setPixelSize(pixelSize);
        const QFontMetricsF metrics(font, painter_.device());
        return metrics.ascent() + metrics.descent();
    };
    const qreal atHeight = cellAt(cellHeight);
    int best = cellHeight;
    if (atHeight > 0)
        best = static_cast<int>(std::clamp<double>(std::round(double(cellHeight) * cellHeight / atHeight), 1,
                                                   2.0 * LargestCellHeight));
    // The estimate is exact for fonts that scale linearly; nudge it for the
    // rest.
    qreal bestError = std::abs(cellAt(best) - cellHeight);
    for (const int step : {-1, 1}) {
        for (int candidate = best + step; candidate >= 1; candidate += step) {
            const qreal error = std::abs(cellAt(candidate) - cellHeight);
            if (error >= bestError)
                break;
            best = candidate;
            bestError = error;
        }
    }
    font.setPixelSize(best);
    return {font, QFontMetricsF(font, painter_.device()).ascent(), {}};
}

}  // namespace zentavo
