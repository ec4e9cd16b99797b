#pragma once

#include "render/SheetCanvas.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace zentavo {

// A face's vertical metrics in font units, as the desktop's text engine
// measures a line: units per em and the Windows ascent and descent.
struct FaceMetrics {
    int32_t unitsPerEm;
    int32_t ascent;
    int32_t descent;
};

// A face the sheets ask for by its Shift-JIS name, and the family and
// metrics of the face that draws it.
struct SvgFace {
    std::string_view sheetName;  // Shift-JIS
    std::string_view family;
    FaceMetrics metrics;
};

// A face sized for a character cell: the em in pixels, and the ascent at that
// size in 1/64 pixel.
struct SizedFace {
    int32_t pixelSize;
    int64_t ascent64;
};

// The desktop's rule: the pixel size whose ascent plus descent comes closest
// to the cell height, with each metric scaled to 1/64 pixel as FreeType
// scales it.
SizedFace SizeFace(const FaceMetrics& metrics, int32_t cellHeight);

// A sheet canvas that writes SVG markup: rectangles as <rect> and <path>,
// each text as one <text> at the canvas's x with its baseline placed as the
// desktop places it. The markup is ASCII except for the texts, which stay
// Shift-JIS bytes for the browser's own decoder.
class SvgCanvas : public SheetCanvas {
public:
    // Appends to `markup`. The first face is the one in use until the sheet
    // names another.
    SvgCanvas(std::string& markup, std::span<const SvgFace> faces);
    ~SvgCanvas() override;

    void SetBrushStyle(BrushStyle style) override { brushStyle_ = style; }
    void SetBrushColor(uint32_t rgb) override { brushColor_ = rgb; }
    void SetPenColor(uint32_t rgb) override { penColor_ = rgb; }
    void DrawRectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2) override;
    void SetFontName(const std::string& name) override;
    void SetFontHeight(int32_t height) override;
    void PutText(int32_t x, int32_t y, const std::string& text) override;

private:
    void CloseGroup();

    std::string& out_;
    std::span<const SvgFace> faces_;
    BrushStyle brushStyle_ = BrushStyle::bsSolid;
    uint32_t brushColor_ = clWhite;
    uint32_t penColor_ = clBlack;
    const SvgFace* face_;
    int32_t cellHeight_ = 0;
    SizedFace sized_{0, 0};
    bool groupOpen_ = false;  // a <g> with the current face and size
};

}  // namespace zentavo
