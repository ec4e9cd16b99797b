#include "render/SheetScale.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zentavo {

SheetScaler SheetScaler::ForTarget(int32_t width, int32_t height)
{
    if (width < 1)
        return SheetScaler(1.0f);
    const double byWidth = static_cast<double>(width) / ReferenceWidth;
    const double byHeight = static_cast<double>(height) / ReferenceHeight;
    return SheetScaler(static_cast<float>(byHeight < byWidth ? byHeight : byWidth));
}

int32_t SheetScaler::ScaleCoord(double v) const
{
    const double product = static_cast<double>(scale_) * v;
    // Banker's rounding, independent of the current floating-point mode.
    double rounded = std::floor(product);
    const double fraction = product - rounded;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(rounded, 2.0) != 0.0))
        rounded += 1.0;
    constexpr double lowest = std::numeric_limits<int32_t>::min();
    constexpr double highest = std::numeric_limits<int32_t>::max();
    if (std::isnan(rounded))
        return 0;
    return static_cast<int32_t>(std::clamp(rounded, lowest, highest));
}

}  // namespace zentavo
