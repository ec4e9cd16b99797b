#include "web/SvgCanvas.h"

#include "render/ShiftJis.h"

#include <algorithm>
#include <cmath>

namespace zentavo {
namespace {

// As the desktop's canvas: taller cells come only from absurd target sizes,
// and their texts are not drawn.
constexpr int32_t LargestCellHeight = 1 << 16;

// FreeType's fixed-point steps: the scale is a 16.16 number, the scaled
// metric 26.6.
int64_t Scaled64(int32_t units, int32_t pixelSize, int32_t unitsPerEm)
{
    const int64_t scale = ((int64_t{pixelSize} * 64 << 16) + unitsPerEm / 2) / unitsPerEm;
    return (int64_t{units} * scale + 0x8000) >> 16;
}

double CellAt(const FaceMetrics& metrics, int32_t pixelSize)
{
    return static_cast<double>(Scaled64(metrics.ascent, pixelSize, metrics.unitsPerEm)
                               + Scaled64(metrics.descent, pixelSize, metrics.unitsPerEm)) / 64;
}

void AppendColor(std::string& out, uint32_t rgb)
{
    static const char digits[] = "0123456789abcdef";
    out += '#';
    for (int shift = 20; shift >= 0; shift -= 4)
        out += digits[(rgb >> shift) & 0xF];
}

// A value in 1/64 as the shortest exact decimal, in whole numbers only:
// formatting a double goes through a software long double in WebAssembly.
void AppendSixtyFourths(std::string& out, int64_t value)
{
    if (value < 0) {
        out += '-';
        value = -value;
    }
    out += std::to_string(value / 64);
    int64_t millionths = value % 64 * 15625;  // 1/64 = 0.015625
    if (millionths == 0)
        return;
    out += '.';
    for (int64_t digit = 100000; millionths != 0; digit /= 10) {
        out += static_cast<char>('0' + millionths / digit);
        millionths %= digit;
    }
}

// The text's bytes as element content: the markup characters of single-byte
// characters escaped, double-byte characters kept whole.
void AppendText(std::string& out, std::string_view text)
{
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (sjis::IsLeadByte(static_cast<unsigned char>(c)) && i + 1 < text.size()) {
            out += c;
            out += text[++i];
        } else if (c == '<') {
            out += "&lt;";
        } else if (c == '&') {
            out += "&amp;";
        } else if (c == '>') {
            out += "&gt;";
        } else {
            out += c;
        }
    }
}

}  // namespace

SizedFace SizeFace(const FaceMetrics& metrics, int32_t cellHeight)
{
    const double atHeight = CellAt(metrics, cellHeight);
    int32_t best = cellHeight;
    if (atHeight > 0)
        best = static_cast<int32_t>(std::clamp<double>(std::round(double(cellHeight) * cellHeight / atHeight), 1,
                                                       2.0 * LargestCellHeight));
    double bestError = std::abs(CellAt(metrics, best) - cellHeight);
    for (const int32_t step : {-1, 1}) {
        for (int32_t candidate = best + step; candidate >= 1; candidate += step) {
            const double error = std::abs(CellAt(metrics, candidate) - cellHeight);
            if (error >= bestError)
                break;
            best = candidate;
            bestError = error;
        }
    }
    return {best, Scaled64(metrics.ascent, best, metrics.unitsPerEm)};
}

SvgCanvas::SvgCanvas(std::string& markup, std::span<const SvgFace> faces)
    : out_(markup), faces_(faces), face_(&faces.front())
{
}

SvgCanvas::~SvgCanvas()
{
    CloseGroup();
}

void SvgCanvas::CloseGroup()
{
    if (groupOpen_)
        out_ += "</g>";
    groupOpen_ = false;
}

// Covers x1..x2-1 and y1..y2-1: the brush fills it, the pen outlines it one
// pixel wide.
void SvgCanvas::DrawRectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    const int64_t left = std::min(x1, x2);
    const int64_t top = std::min(y1, y2);
    const int64_t width = std::max<int64_t>(x1, x2) - left;
    const int64_t height = std::max<int64_t>(y1, y2) - top;
    if (width <= 0 || height <= 0)
        return;
    const std::string place = std::to_string(left) + " " + std::to_string(top);
    const bool filled = brushStyle_ == BrushStyle::bsSolid;
    if (filled) {
        out_ += "<rect x=\"" + std::to_string(left) + "\" y=\"" + std::to_string(top) + "\" width=\""
              + std::to_string(width) + "\" height=\"" + std::to_string(height) + "\" fill=\"";
        AppendColor(out_, brushColor_);
        out_ += "\"/>";
    }
    if (filled && penColor_ == brushColor_)
        return;  // the outline is part of the filled area
    // The outer edge less the inside, one pixel in.
    out_ += "<path fill-rule=\"evenodd\" d=\"M" + place + "h" + std::to_string(width) + "v" + std::to_string(height)
          + "h-" + std::to_string(width) + "z";
    if (width > 2 && height > 2)
        out_ += "M" + std::to_string(left + 1) + " " + std::to_string(top + 1) + "h" + std::to_string(width - 2) + "v"
              + std::to_string(height - 2) + "h-" + std::to_string(width - 2) + "z";
    out_ += "\" fill=\"";
    AppendColor(out_, penColor_);
    out_ += "\"/>";
}

// An unknown name keeps the current face.
void SvgCanvas::SetFontName(const std::string& name)
{
    for (const SvgFace& face : faces_) {
        if (face.sheetName == name && &face != face_) {
            face_ = &face;
            CloseGroup();
            if (cellHeight_ > 0 && cellHeight_ <= LargestCellHeight)
                sized_ = SizeFace(face_->metrics, cellHeight_);
        }
    }
}

void SvgCanvas::SetFontHeight(int32_t height)
{
    if (height == cellHeight_)
        return;
    cellHeight_ = height;
    CloseGroup();
    if (cellHeight_ > 0 && cellHeight_ <= LargestCellHeight)
        sized_ = SizeFace(face_->metrics, cellHeight_);
}

// Appended piece by piece: a sheet's markup is built thousands of times for
// a class set.
void SvgCanvas::PutText(int32_t x, int32_t y, const std::string& text)
{
    if (cellHeight_ <= 0 || cellHeight_ > LargestCellHeight)
        return;
    if (!groupOpen_) {
        out_ += "<g font-family=\"'";
        out_ += face_->family;
        out_ += "'\" font-size=\"";
        out_ += std::to_string(sized_.pixelSize);
        out_ += "\">";
        groupOpen_ = true;
    }
    if (brushStyle_ == BrushStyle::bsSolid) {
        // Fixed-pitch faces: a byte is half the em wide.
        out_ += "<rect x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) + "\" height=\""
              + std::to_string(cellHeight_) + "\" width=\"";
        AppendSixtyFourths(out_, static_cast<int64_t>(text.size()) * sized_.pixelSize * 32);
        out_ += "\" fill=\"";
        AppendColor(out_, brushColor_);
        out_ += "\"/>";
    }
    out_ += "<text x=\"";
    out_ += std::to_string(x);
    out_ += "\" y=\"";
    AppendSixtyFourths(out_, int64_t{y} * 64 + sized_.ascent64);
    out_ += "\">";
    AppendText(out_, text);
    out_ += "</text>";
}

}  // namespace zentavo
