#include "Conversions.h"
#include "Errors.h"

#include <gtest/gtest.h>

namespace {

using digitize::AxisValues;
using digitize::Point;

// The calibration at start-up: Zero at pixel (0, 0) worth 0, Max at (100, 100) worth 100.
constexpr Point StartZero{0, 0};
constexpr Point StartMax{100, 100};
constexpr AxisValues Hundred{0, 100};

std::string Readout(float x, float y, bool integerX = false) {
    return digitize::CoordText(digitize::CalcXValue(x, StartZero, StartMax, Hundred),
                               digitize::CalcYValue(y, StartZero, StartMax, Hundred), integerX);
}

TEST(CoordText, ReadsTheStartCalibration) {
    EXPECT_EQ(Readout(25, 40), "25.0 , 40.00");
    EXPECT_EQ(Readout(5, 5), "5.0 ,  5.00");
    EXPECT_EQ(Readout(2.5F, 0, true), "  3 ,  0.00");
}

TEST(CalcXValue, InterpolatesBetweenTheLockedPixels) {
    const Point zero{100, 500};
    const Point max{400, 100};
    const AxisValues years{1950, 1980};
    EXPECT_EQ(
        digitize::CoordText(digitize::CalcXValue(250, zero, max, years), 0, true).substr(0, 4),
        "1965");
    EXPECT_FLOAT_EQ(digitize::CalcXValue(250, zero, max, years), 1965.0F);
    // A fractional pixel gives a fractional value; a point left of Zero extrapolates.
    EXPECT_FLOAT_EQ(digitize::CalcXValue(110.5F, zero, max, years), 1951.05F);
    EXPECT_FLOAT_EQ(digitize::CalcXValue(40, zero, max, years), 1944.0F);
    // Zero locked right of Max: the axis runs right to left.
    EXPECT_FLOAT_EQ(digitize::CalcXValue(300, {400, 0}, {100, 100}, years), 1960.0F);
}

TEST(CalcYValue, TurnsThePictureRowsUpward) {
    const Point zero{100, 500};
    const Point max{400, 100};
    const AxisValues ten{0, 10};
    EXPECT_EQ(digitize::CoordText(0, digitize::CalcYValue(300, zero, max, ten), false),
              "0.0 ,  5.00");
    EXPECT_EQ(digitize::CoordText(0, digitize::CalcYValue(600, zero, max, ten), false),
              "0.0 , -2.50");
}

TEST(CalcXValue, OverflowsWhenTheResultLeavesTheFloatRange) {
    EXPECT_THROW(digitize::CalcXValue(1000, StartZero, StartMax, {0, 3e38F}), digitize::Error);
}

} // namespace
