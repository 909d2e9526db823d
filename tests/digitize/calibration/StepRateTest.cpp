#include "digitize/calibration/StepRate.h"

#include <gtest/gtest.h>

namespace {

TEST(DigitsValue, ReadsTheDigitsAndNeverAnswersLessThanOne) {
    struct Row {
        const char *text;
        int value;
    };
    const Row rows[] = {{"010", 10}, {"0 5", 5},  {"-5 ", 5}, {"   ", 1},   {"000", 1},
                        {"___", 1},  {"_10", 10}, {"+3-", 3}, {"999", 999}, {"", 1}};
    for (const auto &row : rows)
        EXPECT_EQ(digitize::DigitsValue(row.text), row.value) << "'" << row.text << "'";
}

TEST(ComputeSteps, GivesStepSizeBoxWidthAndLabel) {
    // Years 1950 to 1980 between pixels 100 and 400, in 30 steps.
    const auto years = digitize::ComputeSteps(30, 30.0F, 100, 400);
    EXPECT_EQ(years.StepPixels, 10.0F);
    EXPECT_EQ(years.BoxHalfW, 6);
    EXPECT_EQ(years.Label, " 30 Steps = 1.0");

    const auto seven = digitize::ComputeSteps(7, 7.0F, 0, 100);
    EXPECT_FLOAT_EQ(seven.StepPixels, 100.0F / 7.0F);
    EXPECT_EQ(seven.BoxHalfW, 8); // Round(7.142857 + 1)
    EXPECT_EQ(seven.Label, "  7 Steps = 1.0");

    // Max left of Zero: negative steps, no absolute value taken.
    const auto backwards = digitize::ComputeSteps(10, 100.0F, 400, 300);
    EXPECT_EQ(backwards.StepPixels, -10.0F);
    EXPECT_EQ(backwards.BoxHalfW, -4);

    EXPECT_EQ(digitize::ComputeSteps(1, 100.0F, 0, 100).Label, "  1 Steps = 100.0");
    EXPECT_EQ(digitize::ComputeSteps(3, -0.1F, 0, 100).Label, "  3 Steps = -0.0");
}

// Round(StepPixels / 2 + 1), halves to the even neighbour.
TEST(ComputeSteps, RoundsTheBoxHalfWidthToTheNearestHalvesToEven) {
    struct Row {
        int steps;
        std::int32_t zeroX, maxX;
        int halfW;
    };
    const Row rows[] = {
        {20, 0, 100, 4}, // 5 px: 3.5
        {1, 0, 3, 2},    // 2.5
        {1, 0, 7, 4},    // 4.5
        {1, 0, 9, 6},    // 5.5
        {1, 0, 13, 8},   // 7.5
        {3, 0, 100, 18}, // 33.33 px: 17.67
        {6, 0, 100, 9},  // 16.67 px: 9.33
        {1, 0, -5, -2},  // -1.5
        {1, 0, -3, 0},   // -0.5
        {4, 100, 90, 0}, // -2.5 px: -0.25
    };
    for (const Row &row : rows)
        EXPECT_EQ(digitize::ComputeSteps(row.steps, 1.0F, row.zeroX, row.maxX).BoxHalfW, row.halfW)
            << row.steps << " steps from " << row.zeroX << " to " << row.maxX;
}

TEST(StepX, ComputesEachStepFromTheIndexSoRoundingNeverAccumulates) {
    const float step = 100.0F / 7.0F;
    EXPECT_FLOAT_EQ(digitize::StepX(0, 3, step), 42.857143F);
    EXPECT_EQ(digitize::StepX(100, 3, 10.0F), 130.0F);
    EXPECT_EQ(digitize::StepX(100, -2, 10.0F), 80.0F);
    EXPECT_EQ(digitize::StepX(0, 7, step), 100.0F);
    // 0.1 is not exact in binary: 1000 summed steps would drift to 99.999; the index lands on 100.
    EXPECT_EQ(digitize::StepX(0, 1000, 0.1F), 100.0F);
}

TEST(BeforeOrAtMax, StopsOncePastMaxInTheStepsDirection) {
    EXPECT_TRUE(digitize::BeforeOrAtMax(400, 400, 10));
    EXPECT_FALSE(digitize::BeforeOrAtMax(410, 400, 10));
    EXPECT_TRUE(digitize::BeforeOrAtMax(100, 400, 10));
    // A negative step runs leftwards towards a Max left of Zero.
    EXPECT_TRUE(digitize::BeforeOrAtMax(390, 300, -10));
    EXPECT_TRUE(digitize::BeforeOrAtMax(300, 300, -10));
    EXPECT_FALSE(digitize::BeforeOrAtMax(290, 300, -10));
    EXPECT_FALSE(digitize::BeforeOrAtMax(0, 300, 0));
}

} // namespace
