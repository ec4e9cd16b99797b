#pragma once

#include <cstdint>

namespace zentavo {

inline constexpr int32_t ReferenceWidth = 320;
inline constexpr int32_t ReferenceHeight = 441;

// The uniform scale from the 320 x 441 reference page to a target surface.
class SheetScaler {
public:
    // 1.0 when the width is below 1; otherwise the smaller of the width and
    // height ratios, narrowed to single precision.
    static SheetScaler ForTarget(int32_t width, int32_t height);

    float SheetScale() const { return scale_; }

    // A reference value in target pixels: rounded to nearest, exact halves to
    // the even neighbour, clamped to the 32-bit range.
    int32_t ScaleCoord(double v) const;

private:
    explicit SheetScaler(float scale) : scale_(scale) {}
    float scale_;
};

}  // namespace zentavo
