#include "digitize/calibration/Frame.h"
#include "digitize/Errors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

using digitize::Frame;
using digitize::PixelPoint;

TEST(Frame, TwoPointsReadEachAxisOnItsOwn) {
    const Frame frame({100, 500}, {400, 100});
    const auto f = frame.ToFractions({250, 300});
    EXPECT_EQ(f.U, 0.5L);
    EXPECT_EQ(f.V, 0.5L);
    // Beyond the points and right to left.
    EXPECT_EQ(frame.ToFractions({40, 600}).U, -0.2L);
    EXPECT_EQ(frame.ToFractions({40, 600}).V, -0.25L);
    EXPECT_EQ(Frame({400, 0}, {100, 100}).ToFractions({300, 0}).U, 1.0L / 3.0L);
    EXPECT_EQ(frame.XLength(), 300);
    EXPECT_EQ(frame.YLength(), 400);
}

TEST(Frame, ThreePointsPlaceTheirOwnCorners) {
    // Zero, Max and the third point (X Max, Y Zero) of a sheared chart.
    const Frame frame({50, 400}, {470, 60}, {450, 430});
    struct Row {
        PixelPoint p;
        long double u, v;
    };
    const Row rows[] = {{{50, 400}, 0, 0}, {{450, 430}, 1, 0},     {{470, 60}, 1, 1},
                        {{70, 30}, 0, 1},  {{260, 230}, 0.5, 0.5}, {{-350, 370}, -1, 0}};
    for (const Row &row : rows) {
        const auto f = frame.ToFractions(row.p);
        EXPECT_NEAR(static_cast<double>(f.U), static_cast<double>(row.u), 1e-12)
            << row.p.X << ", " << row.p.Y;
        EXPECT_NEAR(static_cast<double>(f.V), static_cast<double>(row.v), 1e-12)
            << row.p.X << ", " << row.p.Y;
    }
    EXPECT_DOUBLE_EQ(frame.XLength(), std::hypot(400, 30));
    EXPECT_DOUBLE_EQ(frame.YLength(), std::hypot(20, 370));
}

TEST(Frame, PixelToFractionsToPixelRoundTripsWithinAMillionthOfAPixel) {
    const Frame frames[] = {Frame({100, 500}, {400, 100}), Frame({400, 20}, {10, 700}),
                            Frame({48, 278}, {416, 31}, {406, 293}),
                            Frame({0, 0}, {3, 5000}, {9000, 2})};
    for (const Frame &frame : frames)
        for (double x = -1000; x <= 9000; x += 777.7)
            for (double y = -500; y <= 6000; y += 555.5) {
                const PixelPoint back = frame.ToPixel(frame.ToFractions({x, y}));
                EXPECT_NEAR(back.X, x, 1e-6) << x << ", " << y;
                EXPECT_NEAR(back.Y, y, 1e-6) << x << ", " << y;
            }
}

TEST(Frame, UndoesARotationOfThreeDegreesExactly) {
    const double a = 3.0 * std::numbers::pi / 180.0;
    // A chart turned 3 degrees clockwise: X runs right and down, Y up and right.
    const auto picture = [a](double u, double v) {
        return PixelPoint{80 + 800 * u * std::cos(a) + 500 * v * std::sin(a),
                          620 + 800 * u * std::sin(a) - 500 * v * std::cos(a)};
    };
    const Frame frame(picture(0, 0), picture(1, 1), picture(1, 0));
    const Frame twoPoints(picture(0, 0), picture(1, 1));
    double worstTwoPoints = 0;
    for (double u = -0.25; u <= 1.25; u += 0.125)
        for (double v = -0.25; v <= 1.25; v += 0.125) {
            const auto f = frame.ToFractions(picture(u, v));
            EXPECT_NEAR(static_cast<double>(f.U), u, 1e-12) << u << ", " << v;
            EXPECT_NEAR(static_cast<double>(f.V), v, 1e-12) << u << ", " << v;
            const auto g = twoPoints.ToFractions(picture(u, v));
            worstTwoPoints = std::fmax(worstTwoPoints, std::fabs(static_cast<double>(g.V) - v));
        }
    // Two points cannot: at the far corners the Y reading is off by 10% of its span.
    EXPECT_GT(worstTwoPoints, 0.1);
}

TEST(Frame, RefusesThreePointsOnOneLine) {
    struct Row {
        const char *what;
        PixelPoint zero, max, third;
        bool refused;
    };
    const Row rows[] = {
        {"the third point on Zero", {10, 10}, {200, 100}, {10, 10}, true},
        {"the third point on Max", {10, 10}, {200, 100}, {200, 100}, true},
        {"on the line between them", {10, 10}, {210, 110}, {110, 60}, true},
        {"on the line beyond Max", {10, 10}, {210, 110}, {410, 210}, true},
        {"less than a pixel off the line", {0, 0}, {100, 100}, {101, 100}, true},
        {"over a pixel off the line", {0, 0}, {100, 100}, {102, 100}, false},
        {"the usual corner", {48, 278}, {416, 31}, {406, 293}, false},
    };
    for (const Row &row : rows) {
        EXPECT_EQ(digitize::OnOneLine(row.zero, row.max, row.third), row.refused) << row.what;
        if (row.refused)
            EXPECT_THROW(Frame(row.zero, row.max, row.third), digitize::Error) << row.what;
        else
            EXPECT_NO_THROW(Frame(row.zero, row.max, row.third)) << row.what;
    }
}

} // namespace
