#include "digitize/view/Marks.h"

#include <gtest/gtest.h>

#include <algorithm>

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

// Marks drawn in full and taken out inside a clip leave the clip clean and
// everything outside it marked, whatever the clip cuts.
TEST(Marks, DrawingWithinAClipChangesOnlyItsPixels) {
    const digitize::Point centre{40, 30};
    const auto box = digitize::BoxAround(centre, 8, 5);
    const digitize::Outline clips[] = {
        {32, 25, 48, 35},  // the box itself
        {35, 20, 45, 40},  // across the box's sides
        {0, 0, 79, 59},    // the whole picture
        {70, 50, 90, 70},  // a corner, partly outside the picture
        {45, 10, 30, 20},  // given right to left
        {60, 40, 60, 40},  // one pixel on no mark
        {40, 30, 40, 30},  // the cross's centre, drawn by both its lines
        {-5, 30, 100, 30}, // the cross's row and past both edges
    };
    for (const auto &clip : clips) {
        const auto withMarks = [&] {
            Surface picture = Surface::Blank(80, 60);
            picture.SetPen({digitize::MarkColour, 1, digitize::PenMode::Xor});
            digitize::DrawCross(picture, centre);
            digitize::DrawOutline(picture, box);
            return picture;
        };
        const Surface marked = withMarks();
        Surface lifted = withMarks();
        const auto cross = digitize::CrossLines(centre);
        const auto outline = digitize::OutlineLines(box);
        digitize::DrawWithin(lifted, cross, clip);
        digitize::DrawWithin(lifted, outline, clip);
        const auto inside = [&](int x, int y) {
            return x >= std::min(clip.Left, clip.Right) && x <= std::max(clip.Left, clip.Right) &&
                   y >= std::min(clip.Top, clip.Bottom) && y <= std::max(clip.Top, clip.Bottom);
        };
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 80; ++x)
                ASSERT_EQ(lifted.Pixel(x, y), inside(x, y) ? digitize::White : marked.Pixel(x, y))
                    << x << "," << y << " clip " << clip.Left << "," << clip.Top;
    }
}

// The last row and column are drawn into, and nothing past them.
TEST(Marks, MarksOnTheLastPixelStayInsideThePicture) {
    constexpr int W = 40;
    constexpr int H = 30;
    Surface picture = Surface::Blank(W, H);
    picture.SetPen({digitize::MarkColour, 1, digitize::PenMode::Xor});
    const auto cross = digitize::DrawCross(picture, {W - 1, H - 1});
    EXPECT_EQ(cross[0], (digitize::Rect{0, H - 1, W, H}));
    EXPECT_EQ(cross[1], (digitize::Rect{W - 1, 0, W, H}));
    const auto box = digitize::DrawOutline(picture, digitize::BoxAround({W - 1, H - 1}, 5, 5));
    EXPECT_EQ(box[0], (digitize::Rect{W - 6, H - 6, W, H - 5}));
    EXPECT_EQ(box[1], (digitize::Rect{}));
    EXPECT_EQ(box[2], (digitize::Rect{}));
    EXPECT_EQ(box[3], (digitize::Rect{W - 6, H - 5, W - 5, H}));
    int inverted = 0;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            inverted += picture.Pixel(x, y) != digitize::White;
    // The cross's lines less its centre and the box's two edges inside, less
    // the two pixels where an edge crosses a line, inverted twice.
    EXPECT_EQ(inverted, (W - 1) + (H - 1) + 6 + 5 - 2 * 2);
}

} // namespace
