#pragma once

#include "render/SheetCanvas.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zentavo::test {

// One call made on a canvas, with its arguments.
struct CanvasCall {
    enum class Kind { BrushStyle, BrushColor, PenColor, Rectangle, FontName, FontHeight, Text };
    Kind kind;
    int32_t a = 0, b = 0, c = 0, d = 0;  // coordinates, colour, style or height
    std::string text;                     // font name or text

    bool operator==(const CanvasCall&) const = default;
};

// A canvas that records every call in order.
class RecordingCanvas : public SheetCanvas {
public:
    std::vector<CanvasCall> calls;

    void SetBrushStyle(BrushStyle style) override { add({CanvasCall::Kind::BrushStyle, static_cast<int32_t>(style)}); }
    void SetBrushColor(uint32_t rgb) override { add({CanvasCall::Kind::BrushColor, static_cast<int32_t>(rgb)}); }
    void SetPenColor(uint32_t rgb) override { add({CanvasCall::Kind::PenColor, static_cast<int32_t>(rgb)}); }
    void DrawRectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2) override
    {
        add({CanvasCall::Kind::Rectangle, x1, y1, x2, y2});
    }
    void SetFontName(const std::string& name) override { add({CanvasCall::Kind::FontName, 0, 0, 0, 0, name}); }
    void SetFontHeight(int32_t height) override { add({CanvasCall::Kind::FontHeight, height}); }
    void PutText(int32_t x, int32_t y, const std::string& text) override
    {
        add({CanvasCall::Kind::Text, x, y, 0, 0, text});
    }

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
