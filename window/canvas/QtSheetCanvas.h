#pragma once

#include "render/SheetCanvas.h"

#include <QColor>
#include <QFont>
#include <QGlyphRun>
#include <QList>
#include <QRect>
#include <QString>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>

class QPainter;

namespace zentavo {

// The sheet's drawing surface over a QPainter, in the painter's device
// pixels: the preview area, an image or a printer page alike. The painter
// must stay active, with no transform, for the life of the canvas, and its
// device must not change. A canvas kept across the pages of a document sizes
// each font and lays out each text once, however many pages use them.
class QtSheetCanvas : public SheetCanvas {
public:
    explicit QtSheetCanvas(QPainter& painter);

    void SetBrushStyle(BrushStyle style) override;
    void SetBrushColor(uint32_t rgb) override;
    void SetPenColor(uint32_t rgb) override;
    void DrawRectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2) override;
    void SetFontName(const std::string& name) override;
    void SetFontHeight(int32_t height) override;
    void PutText(int32_t x, int32_t y, const std::string& text) override;

    // The font that texts are drawn in, sized for the painter's device;
    // nullopt while the cell height is not positive.
    std::optional<QFont> TextFont();

private:
    // A text laid out in a sized font, ready to draw.
    struct ShapedText {
        QList<QGlyphRun> runs;         // baseline at y = 0
        std::optional<qreal> advance;  // measured when a solid brush first needs it
    };
    struct SizedFont {
        QFont font;
        qreal ascent;  // from the top of the cell to the baseline
        // Laid-out texts by their Shift-JIS bytes; none for an undecodable or
        // empty text.
        std::unordered_map<std::string, std::optional<ShapedText>> texts;
    };

    SizedFont* CurrentFont();
    SizedFont SizeFont(int32_t cellHeight) const;
    std::optional<ShapedText>& Shaped(SizedFont& font, const std::string& text);
    std::optional<QRect> VisiblePart(int64_t x1, int64_t y1, int64_t x2, int64_t y2) const;

    QPainter& painter_;
    BrushStyle brushStyle_ = BrushStyle::bsSolid;
    QColor brushColor_;
    QColor penColor_;
    QString family_;
    int32_t cellHeight_ = 16;
    // Sized fonts by typeface and cell height; font_ is the current one,
    // looked up on the first text after a change.
    std::map<std::pair<QString, int32_t>, SizedFont> fonts_;
    SizedFont* font_ = nullptr;
    size_t textsKept_ = 0;  // in all sized fonts
};

}  // namespace zentavo
