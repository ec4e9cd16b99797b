#pragma once

#include <cstdint>
#include <string>

namespace zentavo {

enum class BrushStyle { bsSolid, bsClear };

inline constexpr uint32_t clWhite = 0xFFFFFF;
inline constexpr uint32_t clBlack = 0x000000;

// A drawing surface in device pixels: (0, 0) is the top-left corner, x grows
// to the right and y downwards. Texts and typeface names are Shift-JIS bytes.
class SheetCanvas {
public:
    virtual ~SheetCanvas() = default;
    virtual void SetBrushStyle(BrushStyle style) = 0;
    virtual void SetBrushColor(uint32_t rgb) = 0;
    virtual void SetPenColor(uint32_t rgb) = 0;
    // Covers x1..x2-1 and y1..y2-1: filled when the brush is solid, outlined
    // with a one-pixel pen.
    virtual void DrawRectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2) = 0;
    virtual void SetFontName(const std::string& name) = 0;
    // Height of the whole character cell, internal leading included.
    virtual void SetFontHeight(int32_t height) = 0;
    // (x, y) is the top-left corner of the first character cell.
    virtual void PutText(int32_t x, int32_t y, const std::string& text) = 0;
};

}  // namespace zentavo
