#pragma once

#include "render/SheetCanvas.h"

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

#include <cstdint>
#include <optional>
#include <string>

class QPainter;

namespace zentavo {

// The sheet's drawing surface over a QPainter, in the painter's device
// pixels: the preview area, an image or a printer page alike. The painter
// must stay active, with no transform, for the life of the canvas.
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
    struct SizedFont {
        QFont font;
        qreal ascent;  // from the top of the cell to the baseline
    };

    const SizedFont* CurrentFont();
    SizedFont SizeFont(int32_t cellHeight) const;
    std::optional<QRect> VisiblePart(int64_t x1, int64_t y1, int64_t x2, int64_t y2) const;

    QPainter& painter_;
    BrushStyle brushStyle_ = BrushStyle::bsSolid;
    QColor brushColor_;
    QColor penColor_;
    QString family_;
    int32_t cellHeight_ = 16;
    std::optional<SizedFont> font_;  // resolved on the first text after a change
};

}  // namespace zentavo
