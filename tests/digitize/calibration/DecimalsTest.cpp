#include "digitize/calibration/Decimals.h"

#include <gtest/gtest.h>

namespace {

using digitize::AxisValues;
using digitize::Decimals;
using digitize::Point;

TEST(CoordDecimals, KeepTheUsualDecimalsUnlessTheyHideTenPixels) {
    struct Case {
        const char *what;
        AxisValues x;
        AxisValues y;
        std::int32_t pixels; // between the reference points, on both axes
        bool integerX;
        double fractionY;
        Decimals expected;
    };
    const Case cases[] = {
        {"30 years on 600 pixels", {1950, 1980}, {0, 10}, 600, false, 1, {1, 2}},
        {"0 to 10 on 400 pixels", {0, 10}, {0, 10}, 400, false, 1, {1, 2}},
        {"ten pixels exactly show one last place", {0, 1}, {0, 0.1F}, 100, false, 1, {1, 2}},
        {"a float just under a tenth", {0, 0.7F}, {0, 0.07F}, 70, false, 1, {1, 2}},
        {"0 to 1 on 400 pixels", {0, 1}, {0, 10}, 400, false, 1, {3, 2}},
        {"0 to 0.001 on 400 pixels", {0, 10}, {0, 0.001F}, 400, false, 1, {1, 6}},
        {"Integer ticked is the user's choice", {0, 1}, {0, 0.1F}, 400, true, 1, {0, 4}},
        {"a descending axis", {1, 0}, {0.001F, 0}, 400, false, 1, {3, 6}},
        {"a float holds no more", {1e6F, 1e6F + 1}, {1e4F, 1e4F + 0.01F}, 400, false, 1, {1, 3}},
        {"a tenth of a pixel along Y", {0, 10}, {0, 1}, 400, false, 0.1, {1, 4}},
        {"two decimals show a tenth of a pixel", {0, 10}, {0, 40}, 400, false, 0.1, {1, 2}},
        {"three decimals show a tenth of a pixel", {0, 10}, {0, 10}, 400, false, 0.1, {1, 3}},
        {"a sub-pixel Y where two decimals hide a tenth",
         {0, 10},
         {0, 10},
         400,
         false,
         0.01,
         {1, 4}},
        {"a sub-pixel Y where two decimals show a tenth",
         {0, 10},
         {0, 1000},
         400,
         false,
         0.01,
         {1, 2}},
        {"no range at all", {5, 5}, {0, 0}, 400, false, 1, {1, 2}},
    };
    for (const Case &c : cases) {
        const Decimals got = digitize::CoordDecimals({0, c.pixels}, {c.pixels, 0}, c.x, c.y,
                                                     c.integerX, c.fractionY);
        EXPECT_EQ(got.X, c.expected.X) << c.what;
        EXPECT_EQ(got.Y, c.expected.Y) << c.what;
    }
}

TEST(CoordDecimals, SmallRangesShowEveryRecordedStep) {
    // X 0 to 1 on 400 pixels, points 20 pixels apart: each logs its own value.
    const Point zero{0, 400};
    const Point max{400, 0};
    const AxisValues unit{0, 1};
    const Decimals d = digitize::CoordDecimals(zero, max, unit, {0, 0.001F}, false);
    std::vector<std::string> lines;
    for (float x : {80.0F, 100.0F, 120.0F, 140.0F})
        lines.push_back(digitize::CoordText(digitize::CalcXValue(x, zero, max, unit),
                                            digitize::CalcYValue(x, zero, max, {0, 0.001F}), d.X,
                                            d.Y));
    EXPECT_EQ(lines, (std::vector<std::string>{"0.200 , 0.000800", "0.250 , 0.000750",
                                               "0.300 , 0.000700", "0.350 , 0.000650"}));
}

} // namespace
