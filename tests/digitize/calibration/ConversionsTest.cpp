#include "digitize/calibration/Conversions.h"
#include "digitize/Errors.h"

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

TEST(CalcYValue, TurnsThePictureRowsUpwardFromTheZeroValue) {
    struct Row {
        float y;
        AxisValues axis;
        float value;
    };
    // Zero locked at row 500, Max at row 100.
    const Row rows[] = {{300, {0, 10}, 5.0F},      {600, {0, 10}, -2.5F}, {300, {20, 30}, 25.0F},
                        {500, {-4, 6}, -4.0F},     {100, {-4, 6}, 6.0F},  {400, {10, 0}, 7.5F},
                        {300.5F, {0, 400}, 199.5F}};
    for (const Row &row : rows)
        EXPECT_FLOAT_EQ(digitize::CalcYValue(row.y, {100, 500}, {400, 100}, row.axis), row.value)
            << "row " << row.y << ", axis " << row.axis.Zero << " to " << row.axis.Max;
}

TEST(CalcValue, BothAxesOverflowWhenTheResultLeavesTheFloatRange) {
    for (const float at : {1000.0F, -1000.0F}) {
        EXPECT_THROW(digitize::CalcXValue(at, StartZero, StartMax, {0, 3e38F}), digitize::Error)
            << at;
        EXPECT_THROW(digitize::CalcYValue(at, StartZero, StartMax, {0, 3e38F}), digitize::Error)
            << at;
    }
    EXPECT_FLOAT_EQ(digitize::CalcYValue(100, StartZero, StartMax, {0, 3e38F}), 3e38F);
}

} // namespace

namespace {

TEST(CheckAxisValues, RefusesAnAxisWithoutLengthNamingItsValue) {
    EXPECT_NO_THROW(digitize::CheckAxisValues({0, 100}, "X"));
    EXPECT_NO_THROW(digitize::CheckAxisValues({-0.0F, 1e-30F}, "Y"));
    struct Row {
        digitize::AxisValues axis;
        const char *name;
        const char *message;
    };
    for (const Row &row :
         {Row{{5, 5}, "X", "X Zero and X Max are both 5: an axis needs two different values"},
          Row{{1950.5F, 1950.5F},
              "Y",
              "Y Zero and Y Max are both 1950.5: an axis needs two different values"}}) {
        try {
            digitize::CheckAxisValues(row.axis, row.name);
            ADD_FAILURE() << row.message;
        } catch (const digitize::Error &e) {
            EXPECT_STREQ(e.what(), row.message);
        }
    }
}

} // namespace
