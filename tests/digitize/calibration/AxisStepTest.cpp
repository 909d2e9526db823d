#include "digitize/calibration/AxisStep.h"
#include "digitize/calibration/StepRate.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using digitize::Frame;
using digitize::StepPosition;

TEST(StepAlongX, WithTwoPointsStepsAsBefore) {
    const Frame frame({100, 400}, {200, 50});
    for (int i = -3; i <= 10; ++i) {
        const StepPosition p = digitize::StepAlongX(frame, i, 100.0F / 7, {123.5F, 77.25F});
        EXPECT_EQ(p.X, digitize::StepX(100, i, 100.0F / 7)) << i;
        EXPECT_EQ(p.Y, 77.25F) << i;
    }
    EXPECT_EQ(digitize::StepEndX(frame), 200);
}

TEST(StepAlongX, WithAThirdPointStepsAlongTheDrawnXAxis) {
    // X axis from Zero (100, 400) to the third point (500, 420): 1 down for 20 across.
    const Frame frame({100, 400}, {510, 20}, {500, 420});
    EXPECT_EQ(digitize::StepEndX(frame), 500);
    const float stepPixels = 40; // ten steps from Zero to the third point
    for (const float height : {400.0F, 300.0F, 20.0F}) {
        const StepPosition start{100 + (400 - height) / 40, height};
        for (int i = 0; i <= 10; ++i) {
            const StepPosition p = digitize::StepAlongX(frame, i, stepPixels, start);
            const auto f = frame.ToFractions({p.X, p.Y});
            // Each step lands on an equal step of the graph's X, at the height it had.
            EXPECT_NEAR(static_cast<double>(f.U), i / 10.0, 1e-6) << height << " step " << i;
            EXPECT_NEAR(static_cast<double>(f.V), (400 - height) / 400.0, 1e-6) << height;
        }
    }
    // Along the X axis itself the crosshair sinks one pixel every 20.
    const StepPosition fifth = digitize::StepAlongX(frame, 5, stepPixels, {100, 400});
    EXPECT_FLOAT_EQ(fifth.X, 300);
    EXPECT_FLOAT_EQ(fifth.Y, 410);
}

TEST(StepBeforeOrAtEnd, StopsPastTheThirdPointAtAnyHeight) {
    const Frame frame({100, 400}, {510, 20}, {500, 420});
    struct Row {
        StepPosition at;
        float stepPixels;
        bool goesOn;
    };
    const Row rows[] = {
        {{500, 420}, 40, true}, {{501, 420}, 40, false}, {{509, 40}, 40, true},
        {{511, 40}, 40, false}, {{300, 200}, 40, true},  {{300, 200}, 0, false},
    };
    for (const Row &row : rows)
        EXPECT_EQ(digitize::StepBeforeOrAtEnd(frame, row.at, row.stepPixels), row.goesOn)
            << row.at.X << ", " << row.at.Y << " step " << row.stepPixels;
    // Zero right of the third point: the steps run leftward.
    const Frame mirrored({500, 400}, {90, 20}, {100, 420});
    EXPECT_TRUE(digitize::StepBeforeOrAtEnd(mirrored, {101, 420}, -40));
    EXPECT_FALSE(digitize::StepBeforeOrAtEnd(mirrored, {99, 420}, -40));
    EXPECT_TRUE(digitize::StepBeforeOrAtEnd(mirrored, {91, 40}, -40));
    // With two points it is the comparison of X with Max's X.
    const Frame two({100, 400}, {500, 20});
    EXPECT_TRUE(digitize::StepBeforeOrAtEnd(two, {500, 0}, 40));
    EXPECT_FALSE(digitize::StepBeforeOrAtEnd(two, {500.5F, 0}, 40));
}

} // namespace
