#include "digitize/calibration/Calibration.h"
#include "digitize/Errors.h"
#include "digitize/calibration/DateValue.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

using digitize::Axis;
using digitize::AxisKind;
using digitize::Calibration;
using digitize::Frame;
using digitize::PixelPoint;

TEST(Calibration, TwoPointsOnLinearAxesReadExactlyAsBefore) {
    struct Row {
        digitize::Point zero, max;
        digitize::AxisValues x, y;
    };
    const Row rows[] = {{{0, 0}, {100, 100}, {0, 100}, {0, 100}},
                        {{100, 500}, {400, 100}, {1950, 1980}, {0, 10}},
                        {{400, 0}, {100, 100}, {0.1F, 0.7F}, {-4, 6}},
                        {{13, 977}, {811, 3}, {1e-3F, 3.3e-3F}, {12345.678F, -0.01F}}};
    for (const Row &row : rows) {
        const Calibration c(
            Frame({static_cast<double>(row.zero.X), static_cast<double>(row.zero.Y)},
                  {static_cast<double>(row.max.X), static_cast<double>(row.max.Y)}),
            {AxisKind::Linear, row.x.Zero, row.x.Max}, {AxisKind::Linear, row.y.Zero, row.y.Max});
        for (float p = -300.25F; p < 1200; p += 37.125F) {
            const auto reading = c.Reading({p, p});
            EXPECT_EQ(reading.X, digitize::CalcXValue(p, row.zero, row.max, row.x)) << p;
            EXPECT_EQ(reading.Y, digitize::CalcYValue(p, row.zero, row.max, row.y)) << p;
        }
    }
    const Calibration huge(Frame({0, 0}, {100, 100}), {AxisKind::Linear, 0, 3e38F},
                           {AxisKind::Linear, 0, 1});
    EXPECT_THROW(huge.Reading({1000, 0}), digitize::Error);
    EXPECT_NO_THROW(huge.ToGraph({1000, 0}));
}

TEST(Calibration, LogAndTimeAxesKeepDoublePrecision) {
    const double march = *digitize::ReadDate("2020-03-15");
    const Calibration c(Frame({50, 450}, {1050, 50}), {AxisKind::Time, march, march + 1000 * 60},
                        {AxisKind::Log, 1e-3, 1e3});
    // One minute a pixel: a float would hold the date to two minutes only.
    EXPECT_EQ(c.Reading({51, 450}).X, march + 60);
    EXPECT_EQ(c.Reading({1050, 450}).X, march + 60000);
    EXPECT_NEAR(c.Reading({0, 250}).Y, 1, 1e-15);
    EXPECT_NEAR(c.Reading({0, 383 + 1.0 / 3}).Y, 0.01, 1e-15);
}

TEST(Calibration, PixelToValueToPixelRoundTripsWithinAMillionthOfAPixel) {
    const double march = *digitize::ReadDate("2020-03-15 14:30");
    const double a = 2.4 * std::numbers::pi / 180.0;
    const Axis hertz{AxisKind::Log, 10, 1e5};
    const Axis decibels{AxisKind::Linear, -60, 10};
    const Axis gain{AxisKind::Log, 1e-4, 2};
    const Axis days{AxisKind::Time, march, march + 86400 * 365.25 * 3};
    const Calibration calibrations[] = {
        {Frame({60, 540}, {1180, 40}), hertz, decibels},
        {Frame({60, 540}, {1180, 40}), hertz, gain},
        {Frame({1180, 40}, {60, 540}), days, gain},
        {Frame({48, 278}, {416, 31}, {406, 293}), hertz, gain},
        {Frame({100, 600},
               {100 + 900 * std::cos(a) + 500 * std::sin(a),
                600 + 900 * std::sin(a) - 500 * std::cos(a)},
               {100 + 900 * std::cos(a), 600 + 900 * std::sin(a)}),
         days, decibels},
    };
    for (const Calibration &c : calibrations)
        for (double x = -200; x <= 1400; x += 61.3)
            for (double y = -100; y <= 700; y += 47.9) {
                const PixelPoint back = c.ToPixel(c.ToGraph({x, y}));
                EXPECT_NEAR(back.X, x, 1e-6) << x << ", " << y;
                EXPECT_NEAR(back.Y, y, 1e-6) << x << ", " << y;
            }
}

TEST(Calibration, ThreePointsReadARotatedLogLogChart) {
    const double a = -3.0 * std::numbers::pi / 180.0; // turned 3 degrees anticlockwise
    const auto picture = [a](double decadeX, double decadeY) {
        return PixelPoint{70 + 250 * decadeX * std::cos(a) + 120 * decadeY * std::sin(a),
                          560 + 250 * decadeX * std::sin(a) - 120 * decadeY * std::cos(a)};
    };
    // X from 10 Hz to 100 kHz (4 decades), Y from 0.001 to 10 (4 decades).
    const Calibration c(Frame(picture(0, 0), picture(4, 4), picture(4, 0)),
                        {AxisKind::Log, 10, 1e5}, {AxisKind::Log, 1e-3, 10});
    for (double dx = 0; dx <= 4; dx += 0.5)
        for (double dy = 0; dy <= 4; dy += 0.5) {
            const auto g = c.ToGraph(picture(dx, dy));
            EXPECT_NEAR(std::log10(g.X), 1 + dx, 1e-12) << dx << ", " << dy;
            EXPECT_NEAR(std::log10(g.Y), -3 + dy, 1e-12) << dx << ", " << dy;
        }
    EXPECT_THROW(c.ToPixel({0, 1}), digitize::Error);
}

} // namespace
