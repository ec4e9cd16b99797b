// The SVG canvas writes its numbers and colours itself: each text's baseline
// must read back as exactly the desktop's, in 1/64 pixel, and colours in the
// desktop canvas's byte order.
#include "render/ShiftJis.h"
#include "web/SvgCanvas.h"

#include <gtest/gtest.h>

#include <array>
#include <regex>
#include <string>

namespace zentavo {
namespace {

constexpr std::array<SvgFace, 1> Faces = {{{sjis::MinchoFace, "Mincho", {256, 217, 39}}}};

std::string Attribute(const std::string& markup, const std::string& element, const std::string& name)
{
    std::smatch found;
    EXPECT_TRUE(std::regex_search(markup, found, std::regex("<" + element + " [^>]*" + name + "=\"([^\"]*)\"")))
        << markup;
    return found[1];
}

TEST(SvgCanvas, BaselineReadsBackExactlyInItsShortestForm)
{
    int fractional = 0;
    for (const int32_t y : {-2, 0, 441, 9599})
        for (int32_t cell = 1; cell <= 300; ++cell) {
            std::string markup;
            {
                SvgCanvas canvas(markup, Faces);
                canvas.SetFontHeight(cell);
                canvas.PutText(0, y, "1");
            }
            const std::string baseline = Attribute(markup, "text", "y");
            const double expected = static_cast<double>(int64_t{y} * 64 + SizeFace(Faces[0].metrics, cell).ascent64) / 64;
            SCOPED_TRACE("y " + std::to_string(y) + ", cell " + std::to_string(cell) + ": " + baseline);
            EXPECT_EQ(std::stod(baseline), expected);
            EXPECT_TRUE(std::regex_match(baseline, std::regex(R"(-?(0|[1-9]\d*)(\.\d*[1-9])?)")));
            fractional += baseline.find('.') != std::string::npos;
        }
    EXPECT_GT(fractional, 600) << "the table hardly tries a fraction of a pixel";
}

TEST(SvgCanvas, ColoursInTheDesktopsByteOrder)
{
    std::string markup;
    {
        SvgCanvas canvas(markup, Faces);
        canvas.SetBrushColor(0x0A1B2C);
        canvas.SetPenColor(0xF00D0E);
        canvas.DrawRectangle(0, 0, 4, 4);
    }
    EXPECT_EQ(Attribute(markup, "rect", "fill"), "#0a1b2c");
    EXPECT_EQ(Attribute(markup, "path", "fill"), "#f00d0e");
}

}  // namespace
}  // namespace zentavo
