#include "digitize/search/BoxAverage.h"
#include "digitize/search/Colour.h"

#include <gtest/gtest.h>

namespace {

using digitize::Box;
using digitize::Surface;

constexpr digitize::Colour Black = 0x000000;

Surface WithRows(int w, int h, std::initializer_list<int> rows, digitize::Colour colour) {
    Surface s = Surface::Blank(w, h);
    for (int r : rows)
        for (int x = 0; x < w; ++x)
            s.Row(r)[x] = digitize::WordFromColour(colour);
    return s;
}

TEST(ColorNear, ComparesEachChannelWithinTheTolerance) {
    const digitize::Colour pixel = 50u << 16 | 100u << 8 | 200u; // R 200, G 100, B 50
    EXPECT_TRUE(digitize::ColorNear(pixel, 100u << 16 | 150u << 8 | 150u, 64));
    EXPECT_FALSE(digitize::ColorNear(pixel, 50u << 16 | 100u << 8 | 120u, 64));
    EXPECT_TRUE(digitize::ColorNear(pixel, 50u << 16 | 100u << 8 | 136u, 64));  // exactly 64
    EXPECT_FALSE(digitize::ColorNear(pixel, 50u << 16 | 165u << 8 | 200u, 64)); // green 65
    // The top byte is ignored: a read outside the picture is white.
    EXPECT_TRUE(digitize::ColorNear(digitize::OutsideColour, 0x00F0F0F0, 64));
}

TEST(BoxWeight, FallsByOnePerPixelFromTheCentre) {
    EXPECT_EQ(digitize::BoxWeight(10, 10, 10, 10, 5), 30);
    EXPECT_EQ(digitize::BoxWeight(10, 10, 15, 5, 5), 20); // a corner of a square box: 2/3
    EXPECT_EQ(digitize::BoxWeight(10, 10, 12, 30, 2), -10);
}

TEST(BoxAverageRow, PullsAThickLineTowardsTheBoxCentre) {
    const Surface line = WithRows(40, 200, {99, 100, 101}, Black);
    struct Row {
        int halfW;
        float expected;
    };
    for (const Row &row : {Row{2, 99.16667F}, Row{6, 99.97072F}, Row{15, 99.99077F}}) {
        const auto average = digitize::BoxAverageRow(line, 20, 90, Box{row.halfW, 15}, Black, 64);
        ASSERT_TRUE(average.has_value()) << "half width " << row.halfW;
        EXPECT_NEAR(*average, row.expected, 1e-4) << "half width " << row.halfW;
    }
    // With half width 1 every matching weight is negative: no average.
    EXPECT_FALSE(digitize::BoxAverageRow(line, 20, 90, Box{1, 15}, Black, 64).has_value());
    // Centred on the line the pulls cancel.
    EXPECT_EQ(digitize::BoxAverageRow(line, 20, 100, Box{6, 15}, Black, 64), 100.0F);
    // A negative half width examines no column.
    EXPECT_FALSE(digitize::BoxAverageRow(line, 20, 100, Box{-4, 15}, Black, 64).has_value());
}

TEST(BoxAverageRow, FindsNothingWithoutCurvePixelsInTheBox) {
    const Surface line = WithRows(40, 200, {150}, Black);
    EXPECT_FALSE(digitize::BoxAverageRow(line, 20, 90, Box{6, 15}, Black, 64).has_value());
    EXPECT_FALSE(digitize::BoxAverageRow(line, 20, 90, Box{6, 15}, 0x0000FF, 64).has_value());
}

TEST(BoxAverageRow, CountsPointsOutsideThePictureAsWhite) {
    const Surface dark = WithRows(20, 20, {}, Black);
    Surface black = Surface::Blank(20, 20);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            black.Row(y)[x] = digitize::WordFromColour(Black);
    // Only the columns left of the picture match a white line colour.
    EXPECT_EQ(digitize::BoxAverageRow(black, 0, 5, Box{2, 3}, digitize::White, 64), 5.0F);
    const auto above = digitize::BoxAverageRow(black, 10, 0, Box{3, 3}, digitize::White, 64);
    ASSERT_TRUE(above.has_value());
    EXPECT_LT(*above, 0.0F);
    // Far outside, nothing is read from memory and everything is white.
    const auto far =
        digitize::BoxAverageRow(dark, -1000000, 2000000000, Box{2, 2}, digitize::White, 64);
    ASSERT_TRUE(far.has_value());
    EXPECT_FLOAT_EQ(*far, 2e9F);
}

} // namespace
