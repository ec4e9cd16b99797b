#pragma once

#include "web/FaceNames.h"
#include "web/SvgCanvas.h"

// Made from the subset font files by fonts/subset.py: EmbeddedMetrics, each
// embedded family with its metrics.
#include "EmbeddedMetrics.h"

#include <array>
#include <stdexcept>
#include <string_view>

namespace zentavo {

constexpr FaceMetrics MetricsOf(std::string_view family)
{
    for (const auto& [name, metrics] : EmbeddedMetrics)
        if (name == family)
            return metrics;
    throw std::logic_error("no embedded face of that family");
}

constexpr SvgFace SvgFaceOf(const EmbeddedFaceName& face)
{
    return {face.sheetName, face.family, MetricsOf(face.family)};
}

// The sheets' faces, in the order of EmbeddedFaceNames.
inline constexpr std::array<SvgFace, 2> SheetFaces = {SvgFaceOf(EmbeddedFaceNames[0]),
                                                       SvgFaceOf(EmbeddedFaceNames[1])};

}  // namespace zentavo
