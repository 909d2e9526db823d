// The view follows the crosshair: still while it is in sight, just far
// enough with a margin when it is not, never beyond the picture.
#include "digitize/view/ScrollFollow.h"

#include <gtest/gtest.h>

namespace {

struct Row {
    const char *what;
    int offset, view, content;
    long long position;
    int want;
};

const Row Rows[] = {
    {"in sight at the left edge", 100, 600, 3000, 100, 100},
    {"in sight at the right edge", 100, 600, 3000, 699, 100},
    {"one past the right edge", 100, 600, 3000, 700, 141},
    {"one before the left edge", 100, 600, 3000, 99, 59},
    {"far right", 0, 600, 3000, 2000, 1441},
    {"far left", 2000, 600, 3000, 10, 0},
    {"beyond the picture's end", 0, 600, 3000, 5000, 2400},
    {"before the picture's start", 500, 600, 3000, -10, 0},
    {"content that fits never scrolls", 0, 600, 500, 700, 0},
    {"a stale offset past the end is clamped", 2900, 600, 3000, 2500, 2400},
    {"a view narrower than two margins centres", 0, 50, 3000, 1000, 975},
    {"a view of exactly two margins centres", 0, 80, 3000, 1000, 960},
    {"a huge position", 0, 600, 3000, 4'000'000'000LL, 2400},
};

TEST(FollowOffset, MovesOnlyWhenTheCrosshairLeavesTheView) {
    for (const Row &row : Rows)
        EXPECT_EQ(digitize::FollowOffset(row.offset, row.view, row.content, row.position,
                                         digitize::FollowMargin),
                  row.want)
            << row.what;
}

} // namespace
