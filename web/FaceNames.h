#pragma once

#include "render/ShiftJis.h"
#include "window/controls/ControlTable.h"

#include <array>
#include <string_view>

// The faces embedded in the page: subsets of the desktop's Japanese faces,
// renamed as their licence asks of a derived font.
namespace zentavo {

struct EmbeddedFaceName {
    std::string_view sheetName;  // the Shift-JIS name the sheets ask for
    std::string_view family;     // the embedded subset's family
    std::string_view source;     // the family of the face it is made from
};

inline constexpr std::string_view MinchoFamily = "Zentavo Mincho";
inline constexpr std::string_view GothicFamily = "Zentavo Gothic";

// The Gothic face first: the desktop's canvas starts in its system face,
// which maps to it too.
inline constexpr std::array<EmbeddedFaceName, 2> EmbeddedFaceNames = {{
    {sjis::GothicFace, GothicFamily, "IPAGothic"},
    {sjis::MinchoFace, MinchoFamily, "IPAMincho"},
}};

// The embedded family for a control font: the Mincho face for the window's
// 明朝, the Gothic face for its ゴシック and for the system face, as the
// desktop maps them.
constexpr std::string_view FamilyFor(ControlFont font)
{
    const std::string_view mincho = FontStyles[static_cast<size_t>(ControlFont::Option)].face;
    return FontStyles[static_cast<size_t>(font)].face == mincho ? MinchoFamily : GothicFamily;
}

}  // namespace zentavo
