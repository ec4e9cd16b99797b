#include "sheetset/Paper.h"

#include <cmath>

namespace zentavo {

int32_t PrintPixels(double length, PaperUnit unit)
{
    const double inches = unit == PaperUnit::Inch ? length : length / 25.4;
    const double points = std::round(inches * 72);
    return static_cast<int32_t>(std::round(points * PrintResolution / 72));
}

}  // namespace zentavo
