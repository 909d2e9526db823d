#include "Marks.h"

#include <gtest/gtest.h>

namespace {

using digitize::Surface;

TEST(Marks, TheCrossReachesAThousandPixelsLeftAndUpAndKeepsItsCentre) {
    Surface picture = Surface::Blank(2100, 2100);
    picture.SetPen({digitize::MarkColour, 1, digitize::PenMode::Xor});
    const auto changed = digitize::DrawCross(picture, {1050, 1050});
    constexpr digitize::Colour Inverted = 0x7F7F7F;
    EXPECT_EQ(picture.Pixel(50, 1050), Inverted);
    EXPECT_EQ(picture.Pixel(49, 1050), digitize::White);
    EXPECT_EQ(picture.Pixel(2049, 1050), Inverted);
    EXPECT_EQ(picture.Pixel(2050, 1050), digitize::White);
    EXPECT_EQ(picture.Pixel(1050, 50), Inverted);
    EXPECT_EQ(picture.Pixel(1050, 2050), digitize::White);
    EXPECT_EQ(picture.Pixel(1050, 1050), digitize::White);
    EXPECT_EQ(changed[0], (digitize::Rect{50, 1050, 2050, 1051}));
    EXPECT_EQ(changed[1], (digitize::Rect{1050, 50, 1051, 2050}));
}

TEST(Marks, AnOutlineDrawnTwiceLeavesNoTrace) {
    Surface picture = Surface::Blank(60, 60);
    picture.SetPen({digitize::MarkColour, 1, digitize::PenMode::Xor});
    const auto box = digitize::BoxAround({30, 30}, 6, 15);
    EXPECT_EQ(box, (digitize::Outline{24, 15, 36, 45}));
    digitize::DrawOutline(picture, box);
    int inverted = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 60; ++x)
            inverted += picture.Pixel(x, y) != digitize::White;
    EXPECT_EQ(inverted, 2 * 13 + 2 * 29); // each outline pixel once, corners too
    digitize::DrawOutline(picture, box);
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 60; ++x)
            ASSERT_EQ(picture.Pixel(x, y), digitize::White) << x << "," << y;
    // A negative half width mirrors the box.
    EXPECT_EQ(digitize::BoxAround({100, 100}, -4, 15), (digitize::Outline{104, 85, 96, 115}));
}

} // namespace
