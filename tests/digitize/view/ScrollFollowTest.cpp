// The view follows the crosshair: still while it stands a margin inside the
// part of the view that is seen, just far enough when it comes nearer an
// edge or leaves, never beyond the picture.
#include "digitize/view/ScrollFollow.h"

#include <gtest/gtest.h>

namespace {

using digitize::Span;

struct Row {
    const char *what;
    int offset, view;
    Span visible;
    int content;
    long long position;
    int margin;
    int want;
};

constexpr int M = digitize::FollowMargin; // 40
constexpr Span Whole{0, 600};

const Row Rows[] = {
    {"a margin inside the left edge", 100, 600, Whole, 3000, 140, M, 100},
    {"a margin inside the right edge", 100, 600, Whole, 3000, 659, M, 100},
    {"one pixel into the right margin", 100, 600, Whole, 3000, 660, M, 101},
    {"one pixel into the left margin", 100, 600, Whole, 3000, 139, M, 99},
    {"on the last column seen", 100, 600, Whole, 3000, 699, M, 140},
    {"one past the right edge", 100, 600, Whole, 3000, 700, M, 141},
    {"one before the left edge", 100, 600, Whole, 3000, 99, M, 59},
    {"far right", 0, 600, Whole, 3000, 2000, M, 1441},
    {"far left", 2000, 600, Whole, 3000, 10, M, 0},
    {"beyond the picture's end", 0, 600, Whole, 3000, 5000, M, 2400},
    {"before the picture's start", 500, 600, Whole, 3000, -10, M, 0},
    {"the picture's last column stays at the edge", 2400, 600, Whole, 3000, 2999, M, 2400},
    {"content that fits never scrolls", 0, 600, Whole, 500, 700, M, 0},
    {"a stale offset past the end is clamped", 2900, 600, Whole, 3000, 2500, M, 2400},
    {"a view narrower than two margins centres", 0, 50, {0, 50}, 3000, 1000, M, 975},
    {"a view of exactly two margins centres", 0, 80, {0, 80}, 3000, 1000, M, 960},
    {"a huge position", 0, 600, Whole, 3000, 4'000'000'000LL, M, 2400},
    // Only part of the view seen: the window reaches past the screen's edge.
    {"the margin counts from the edge seen, right", 0, 600, {0, 400}, 3000, 360, M, 1},
    {"in sight of the part seen", 0, 600, {0, 400}, 3000, 359, M, 0},
    {"the margin counts from the edge seen, left", 500, 600, {200, 600}, 3000, 739, M, 499},
    {"beyond the part seen but inside the view", 0, 600, {0, 400}, 3000, 550, M, 191},
    {"a part seen narrower than two margins centres on it", 0, 600, {0, 60}, 3000, 500, M, 470},
    {"a part seen two margins wide centres on it", 0, 600, {0, 80}, 3000, 500, M, 460},
    {"a span past the view is cut to the view", 100, 600, {-50, 900}, 3000, 660, M, 101},
    {"a view seen nowhere follows as if seen whole", 100, 600, {700, 900}, 3000, 660, M, 101},
    {"a view seen up to its edge only follows as if seen whole",
     100,
     600,
     {600, 900},
     3000,
     660,
     M,
     101},
    // Margin 0: a click, always in sight, never scrolls.
    {"no margin: on the left edge", 100, 600, Whole, 3000, 100, 0, 100},
    {"no margin: on the right edge", 100, 600, Whole, 3000, 699, 0, 100},
    {"no margin: one past the right edge", 100, 600, Whole, 3000, 700, 0, 101},
};

TEST(FollowOffset, KeepsTheCrosshairAMarginInsideThePartSeen) {
    for (const Row &row : Rows)
        EXPECT_EQ(digitize::FollowOffset(row.offset, row.view, row.visible, row.content,
                                         row.position, row.margin),
                  row.want)
            << row.what;
}

TEST(FollowOffset, TheShortFormSeesTheWholeView) {
    EXPECT_EQ(digitize::FollowOffset(100, 600, 3000, 660, M), 101);
    EXPECT_EQ(digitize::FollowOffset(100, 600, 3000, 659, M), 100);
}

// Walking right a pixel at a time, the crosshair never comes nearer the edge
// seen than the margin (the defect: it stood on the view's last column).
TEST(FollowOffset, AWalkNeverReachesTheEdgeSeen) {
    int offset = 0;
    for (long long x = 640; x < 1840; ++x) {
        offset = digitize::FollowOffset(offset, 676, {0, 676}, 3000, x, M);
        ASSERT_GE(x - offset, M) << x;
        ASSERT_LE(x - offset, 676 - 1 - M) << x;
    }
}

} // namespace
