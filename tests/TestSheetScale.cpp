#include "render/SheetScale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace zentavo {
namespace {

constexpr int32_t IntMin = std::numeric_limits<int32_t>::min();
constexpr int32_t IntMax = std::numeric_limits<int32_t>::max();

TEST(SheetScale, TakesTheSmallerRatioOrOneForAnEmptyWidth)
{
    struct Case {
        int32_t width, height;
        float scale;
    };
    const Case cases[] = {
        {320, 441, 1.0f},   {640, 882, 2.0f},   {480, 2000, 1.5f},  // width ratio is the smaller
        {400, 600, 1.25f},  {4960, 7016, 15.5f}, {640, 441, 1.0f},  // height ratio is the smaller
        {0, 441, 1.0f},     {0, 0, 1.0f},        {-1, 5, 1.0f},     // only the width is tested
        {IntMin, IntMax, 1.0f}, {500, 0, 0.0f},  {1, 0, 0.0f},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SheetScaler::ForTarget(c.width, c.height).SheetScale(), c.scale) << c.width << " x " << c.height;
}

TEST(SheetScale, NarrowsTheDoubleRatioToSinglePrecision)
{
    EXPECT_EQ(SheetScaler::ForTarget(1000, 1000).SheetScale(), static_cast<float>(1000.0 / 441));
    EXPECT_EQ(SheetScaler::ForTarget(333, 10000).SheetScale(), static_cast<float>(333.0 / 320));
}

TEST(ScaleCoord, RoundsToNearestWithHalvesToEven)
{
    struct Case {
        int32_t width, height;
        double v;
        int32_t pixels;
    };
    const Case cases[] = {
        {320, 441, 319, 319},   {320, 441, 440, 440},   {320, 441, 0, 0},
        {480, 2000, 23, 34},    {480, 2000, 319, 478},  {480, 2000, 6, 9},    {480, 2000, 16, 24},
        {480, 2000, 20, 30},    {480, 2000, 70, 105},
        {4960, 7016, 319, 4944}, {4960, 7016, 23, 356}, {4960, 7016, 1, 16},  {4960, 7016, 3, 46},
        {400, 600, 70, 88},     {400, 600, 18, 22},     {400, 600, 36, 45},   {400, 600, 54, 68},
        {640, 882, 319, 638},   {640, 882, 440, 880},
        {160, 441, 5, 2},       {160, 441, 7, 4},       {160, 441, 69, 34},   {160, 441, 1, 0},
        {160, 441, -5, -2},     {160, 441, -7, -4},     {160, 441, -1, 0},    {160, 441, 3, 2},
        {500, 0, 440, 0},       {0, 0, 23, 23},         {-100, 0, 319, 319},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SheetScaler::ForTarget(c.width, c.height).ScaleCoord(c.v), c.pixels)
            << c.width << " x " << c.height << ", ScaleCoord(" << c.v << ")";
}

TEST(ScaleCoord, MultipliesByTheSinglePrecisionScaleWidened)
{
    // 4 / 320 is 0.0125; as a float it lies just above, so 200 units are just
    // over 2.5 pixels and round up, where the double ratio would give 2.
    EXPECT_EQ(SheetScaler::ForTarget(4, 10000).ScaleCoord(200), 3);
    EXPECT_EQ(SheetScaler::ForTarget(1, 10000).ScaleCoord(160), 1);
}

TEST(ScaleCoord, ClampsToTheIntegerRange)
{
    const SheetScaler huge = SheetScaler::ForTarget(IntMax, IntMax);
    EXPECT_EQ(huge.ScaleCoord(440), 2142614100);  // 4869577.5 x 440
    EXPECT_EQ(huge.ScaleCoord(1e6), IntMax);
    EXPECT_EQ(huge.ScaleCoord(-1e6), IntMin);
    EXPECT_EQ(huge.ScaleCoord(INFINITY), IntMax);
    EXPECT_EQ(huge.ScaleCoord(-INFINITY), IntMin);
    EXPECT_EQ(huge.ScaleCoord(NAN), 0);
    EXPECT_EQ(SheetScaler::ForTarget(1, IntMin).ScaleCoord(1000), IntMin);
}

}  // namespace
}  // namespace zentavo
