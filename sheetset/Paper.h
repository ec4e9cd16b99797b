#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// The papers a set can be printed on, in portrait, for every front end: the
// desktop's PDF pages and the browser's printed pages take their sizes from
// this one table.
namespace zentavo {

enum class Paper { A4, B5, B4, A3, Letter };

enum class PaperUnit { Millimeter, Inch };

struct PaperInfo {
    Paper paper;
    std::string_view name;
    double width;   // in `unit`, portrait
    double height;
    PaperUnit unit;
};

// B5 and B4 are the JIS sizes.
inline constexpr std::array<PaperInfo, 5> Papers = {{
    {Paper::A4, "A4", 210, 297, PaperUnit::Millimeter},
    {Paper::B5, "B5", 182, 257, PaperUnit::Millimeter},
    {Paper::B4, "B4", 257, 364, PaperUnit::Millimeter},
    {Paper::A3, "A3", 297, 420, PaperUnit::Millimeter},
    {Paper::Letter, "Letter", 8.5, 11, PaperUnit::Inch},
}};

constexpr const PaperInfo& InfoOf(Paper paper)
{
    return Papers[static_cast<size_t>(paper)];
}

// The dots per inch of a printed sheet's drawing.
inline constexpr int32_t PrintResolution = 1200;

// A length of the paper in device pixels at PrintResolution, measured as the
// desktop's PDF pages measure it with Qt 6.4: first in whole points (1/72
// inch), then scaled to pixels and rounded to the nearest (Qt 6.8 truncates,
// one pixel less for some papers).
int32_t PrintPixels(double length, PaperUnit unit);

}  // namespace zentavo
