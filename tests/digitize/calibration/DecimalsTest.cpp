#include "digitize/calibration/Decimals.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using digitize::AxisValues;
using digitize::Decimals;
using digitize::Point;

TEST(CoordDecimals, OneUnitOfTheLastDecimalIsWorthAtMostOnePixel) {
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
        {"30 years on 600 pixels", {1950, 1980}, {0, 10}, 600, false, 1, {2, 2}},
        {"a unit a pixel keeps the usual decimals", {0, 100}, {0, 100}, 100, false, 1, {1, 2}},
        {"0 to 10 on 400 pixels", {0, 10}, {0, 10}, 400, false, 1, {2, 2}},
        {"one pixel exactly shows one last place", {0, 1}, {0, 0.1F}, 10, false, 1, {1, 2}},
        {"a float just under a tenth", {0, 0.7F}, {0, 0.07F}, 7, false, 1, {1, 2}},
        {"0 to 1 on 400 pixels", {0, 1}, {0, 10}, 400, false, 1, {3, 2}},
        {"0 to 0.001 on 400 pixels", {0, 10}, {0, 0.001F}, 400, false, 1, {2, 6}},
        {"Integer ticked is the user's choice", {0, 1}, {0, 0.1F}, 400, true, 1, {0, 4}},
        {"a descending axis", {1, 0}, {0.001F, 0}, 400, false, 1, {3, 6}},
        {"a float holds no more", {1e6F, 1e6F + 1}, {1e4F, 1e4F + 0.01F}, 400, false, 1, {1, 3}},
        {"a tenth of a pixel along Y", {0, 10}, {0, 1}, 400, false, 0.1, {2, 4}},
        {"two decimals show a tenth of a pixel", {0, 10}, {0, 40}, 400, false, 0.1, {2, 2}},
        {"three decimals show a tenth of a pixel", {0, 10}, {0, 10}, 400, false, 0.1, {2, 3}},
        {"no range at all", {5, 5}, {0, 0}, 400, false, 1, {1, 2}},
    };
    for (const Case &c : cases) {
        const Decimals got = digitize::CoordDecimals({0, c.pixels}, {c.pixels, 0}, c.x, c.y,
                                                     c.integerX, c.fractionY);
        EXPECT_EQ(got.X, c.expected.X) << c.what;
        EXPECT_EQ(got.Y, c.expected.Y) << c.what;
    }
}

TEST(CoordDecimals, RoundingNeverMovesAPointByMoreThanHalfAPixel) {
    // Ranges from a thousandth to a million on 50 to 5000 pixels, Y whole
    // and sub-pixel: the last decimal's unit is at most a pixel (a tenth),
    // and never fewer decimals than X 1 and Y 2.
    for (const double range : {1e-3, 0.07, 1.0, 3.0, 30.0, 700.0, 1e6})
        for (const std::int32_t pixels : {50, 333, 1000, 5000})
            for (const double fraction : {1.0, 0.1}) {
                const AxisValues axis{0, static_cast<float>(range)};
                const Decimals d =
                    digitize::CoordDecimals({0, pixels}, {pixels, 0}, axis, axis, false, fraction);
                const double perPixel = static_cast<double>(axis.Max) / pixels;
                EXPECT_LE(std::pow(10.0, -d.X), perPixel * 1.000001) << range << " " << pixels;
                EXPECT_LE(std::pow(10.0, -d.Y), perPixel * fraction * 1.000001)
                    << range << " " << pixels << " " << fraction;
                EXPECT_GE(d.X, 1);
                EXPECT_GE(d.Y, 2);
                // ... and no more decimals than that takes.
                if (d.X > 1) {
                    EXPECT_GT(std::pow(10.0, 1 - d.X), perPixel) << range << " " << pixels;
                }
                if (d.Y > 2) {
                    EXPECT_GT(std::pow(10.0, 1 - d.Y), perPixel * fraction)
                        << range << " " << pixels;
                }
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
