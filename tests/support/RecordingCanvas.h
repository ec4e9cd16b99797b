#pragma once

#include "render/SheetCanvas.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace zentavo::test {

// One call made on a canvas, with its arguments.
struct CanvasCall {
    enum class Kind { BrushStyle, BrushColor, PenColor, Rectangle, FontName, FontHeight, Text };
    Kind kind;
    int32_t a = 0, b = 0, c = 0, d = 0;  // coordinates, colour, style or height
    std::string text = {};                // font name or text

    bool operator==(const CanvasCall&) const = default;

    static CanvasCall Style(BrushStyle style) { return Of(Kind::BrushStyle, static_cast<int32_t>(style)); }
    static CanvasCall Brush(uint32_t rgb) { return Of(Kind::BrushColor, static_cast<int32_t>(rgb)); }
    static CanvasCall Pen(uint32_t rgb) { return Of(Kind::PenColor, static_cast<int32_t>(rgb)); }
    static CanvasCall Rect(int32_t x1, int32_t y1, int32_t x2, int32_t y2) { return Of(Kind::Rectangle, x1, y1, x2, y2); }
    static CanvasCall Font(std::string name) { return Of(Kind::FontName, 0, 0, 0, 0, std::move(name)); }
    static CanvasCall Height(int32_t height) { return Of(Kind::FontHeight, height); }
    static CanvasCall Text(int32_t x, int32_t y, std::string text) { return Of(Kind::Text, x, y, 0, 0, std::move(text)); }

    static CanvasCall Of(Kind kind, int32_t a, int32_t b = 0, int32_t c = 0, int32_t d = 0, std::string text = {})
    {
        CanvasCall call{kind};
        call.a = a;
        call.b = b;
        call.c = c;
        call.d = d;
        call.text = std::move(text);
        return call;
    }
};

// Texts are shown with their bytes in hex, so that a failing comparison of
// Shift-JIS strings can be read.
inline std::string HexBytes(const std::string& bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string shown;
    for (unsigned char c : bytes) {
        if (c >= 0x20 && c < 0x7F) {
            shown += static_cast<char>(c);
        } else {
            shown += "\\x";
            shown += digits[c >> 4];
            shown += digits[c & 0xF];
        }
    }
    return shown;
}

inline void PrintTo(const CanvasCall& call, std::ostream* out)
{
    static const char* const names[] = {"BrushStyle", "BrushColor", "PenColor", "Rectangle",
                                        "FontName", "FontHeight", "Text"};
    *out << names[static_cast<int>(call.kind)] << '(' << call.a << ", " << call.b << ", " << call.c << ", "
         << call.d << ", \"" << HexBytes(call.text) << "\")";
}

// Joins readable pieces into one Shift-JIS byte string.
template <typename... Pieces>
std::string Bytes(const Pieces&... pieces)
{
    std::string joined;
    (joined.append(pieces), ...);
    return joined;
}

// A canvas that records every call in order.
class RecordingCanvas : public SheetCanvas {
public:
    std::vector<CanvasCall> calls;

    void SetBrushStyle(BrushStyle style) override { add(CanvasCall::Style(style)); }
    void SetBrushColor(uint32_t rgb) override { add(CanvasCall::Brush(rgb)); }
    void SetPenColor(uint32_t rgb) override { add(CanvasCall::Pen(rgb)); }
    void DrawRectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2) override { add(CanvasCall::Rect(x1, y1, x2, y2)); }
    void SetFontName(const std::string& name) override { add(CanvasCall::Font(name)); }
    void SetFontHeight(int32_t height) override { add(CanvasCall::Height(height)); }
    void PutText(int32_t x, int32_t y, const std::string& text) override { add(CanvasCall::Text(x, y, text)); }

    std::vector<CanvasCall> Texts() const
    {
        std::vector<CanvasCall> texts;
        for (const CanvasCall& call : calls)
            if (call.kind == CanvasCall::Kind::Text)
                texts.push_back(call);
        return texts;
    }

private:
    void add(CanvasCall call) { calls.push_back(std::move(call)); }
};

}  // namespace zentavo::test
