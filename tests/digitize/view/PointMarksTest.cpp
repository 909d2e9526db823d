// Marks of recorded points: where they stand at each zoom, what they cover,
// which one a click is on, and which fall near a part of the picture.
#include "digitize/view/PointMarks.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using digitize::MarkRef;
using digitize::Series;
using digitize::ViewPoint;

std::vector<Series> TwoSeries() {
    return {Series{"Series 1", 0x0000FF, {{10, 20, "a"}, {30, 20, "b"}, {30.4F, 60.6F, "c"}}},
            Series{"Series 2", 0xFF0000, {{100, 100, "d"}, {30, 20, "e"}}}};
}

TEST(MarkCentre, IsTheMiddleOfThePixelMovedByTheFractions) {
    struct Row {
        float x, y;
        digitize::Zoom z;
        double wantX, wantY;
    } rows[] = {
        {10, 20, {1, 1}, 10.5, 20.5},   {10, 20, {4, 1}, 42, 82},
        {10.25F, 20, {4, 1}, 43, 82},   {100, 200, {1, 4}, 25.125, 50.125},
        {-10, -10, {1, 1}, -9.5, -9.5},
    };
    for (const Row &row : rows) {
        const ViewPoint c = digitize::MarkCentre(row.x, row.y, row.z);
        EXPECT_DOUBLE_EQ(c.X, row.wantX) << row.x << ", " << row.y;
        EXPECT_DOUBLE_EQ(c.Y, row.wantY) << row.x << ", " << row.y;
    }
}

TEST(MarkBounds, HoldTheWholeRingWithItsHaloAndNoMore) {
    // Plain: 4.5 + 1 + 1 + 1 = 7.5 each side of 10.5.
    EXPECT_EQ(digitize::MarkBounds({10.5, 20.5}, digitize::PlainRing),
              (digitize::Rect{3, 13, 19, 29}));
    const digitize::Rect selected = digitize::MarkBounds({10.5, 20.5}, digitize::SelectedRing);
    EXPECT_LT(selected.Left, 3);
    EXPECT_GT(selected.Right, 19);
    // The ring's outermost shaded pixel lies inside.
    const double reach = digitize::SelectedRing.Radius + digitize::SelectedRing.Line / 2 +
                         digitize::SelectedRing.Halo;
    EXPECT_LE(selected.Left, static_cast<int>(10.5 - reach) - 1);
    EXPECT_GE(selected.Right, static_cast<int>(10.5 + reach) + 1);
}

TEST(MarksDamage, IsEachMarkUpToTheLimitThenRunsOfNeighboursCoveringThemAll) {
    std::vector<digitize::RecordedPoint> points;
    for (int i = 0; i < 50; ++i)
        points.push_back({static_cast<float>(10 * i), static_cast<float>(8 * i), ""}); // a slope
    const digitize::Zoom z{2, 1};
    const auto bounds = [&](std::size_t i) {
        return digitize::MarkBounds(digitize::MarkCentre(points[i].X, points[i].Y, z),
                                    digitize::PlainRing);
    };
    const auto few = digitize::MarksDamage(std::span(points).first(5), z, digitize::PlainRing, 16);
    ASSERT_EQ(few.size(), 5u);
    for (std::size_t i = 0; i < few.size(); ++i)
        EXPECT_EQ(few[i], bounds(i)) << i;
    const auto many = digitize::MarksDamage(points, z, digitize::PlainRing, 16);
    EXPECT_LE(many.size(), 16u);
    EXPECT_GE(many.size(), 13u); // runs of 4: the curve's shape, not one box around it
    for (std::size_t i = 0; i < points.size(); ++i) {
        const digitize::Rect b = bounds(i);
        const bool covered = std::any_of(many.begin(), many.end(), [&](const digitize::Rect &r) {
            return r.Left <= b.Left && r.Top <= b.Top && r.Right >= b.Right && r.Bottom >= b.Bottom;
        });
        EXPECT_TRUE(covered) << "mark " << i;
    }
    long long area = 0;
    for (const digitize::Rect &r : many)
        area += static_cast<long long>(r.Right - r.Left) * (r.Bottom - r.Top);
    // One box around them all would hold 1000 x 800 view pixels.
    EXPECT_LT(area, 1000LL * 800 / 5) << "runs stay near their marks";
    EXPECT_TRUE(digitize::MarksDamage({}, z, digitize::PlainRing, 16).empty());
}

TEST(MarkUnder, FindsTheNearestMarkWithinReachAndPrefersTheTopOne) {
    const auto series = TwoSeries();
    struct Row {
        const char *what;
        digitize::Zoom z;
        ViewPoint at;
        std::optional<MarkRef> want;
    } rows[] = {
        {"on the first point", {1, 1}, {10.5, 20.5}, MarkRef{0, 0}},
        {"a few pixels off", {1, 1}, {14, 24}, MarkRef{0, 0}},
        {"just within reach", {1, 1}, {17.5, 20.5}, MarkRef{0, 0}},
        {"just out of reach", {1, 1}, {17.6, 20.5}, std::nullopt},
        {"two marks at one place: the later series", {1, 1}, {30.5, 20.5}, MarkRef{1, 1}},
        {"the fractional point", {1, 1}, {31, 61}, MarkRef{0, 2}},
        {"zoomed in, the next pixel's middle is out of reach", {8, 1}, {92, 164}, std::nullopt},
        {"zoomed in, the centre", {8, 1}, {84, 164}, MarkRef{0, 0}},
        {"zoomed out, the marks crowd together", {1, 4}, {6, 6}, MarkRef{1, 1}},
        {"nothing near", {1, 1}, {300, 300}, std::nullopt},
    };
    for (const Row &row : rows) {
        const auto got = digitize::MarkUnder(series, row.z, row.at);
        ASSERT_EQ(got.has_value(), row.want.has_value()) << row.what;
        if (got) {
            EXPECT_EQ(*got, *row.want) << row.what;
        }
    }
    EXPECT_FALSE(digitize::MarkUnder({}, {1, 1}, {0, 0}));
}

TEST(MarksWithin, KeepsThePointsNearThePartInDrawingOrder) {
    const auto series = TwoSeries();
    const auto marks = digitize::MarksWithin(series, {25, 15, 35, 65}, 0, MarkRef{1, 1});
    ASSERT_EQ(marks.size(), 3u);
    EXPECT_EQ(marks[0], (digitize::PointMark{30, 20, 0x0000FF, false}));
    EXPECT_EQ(marks[1], (digitize::PointMark{30.4F, 60.6F, 0x0000FF, false})); // rounds to (30, 61)
    EXPECT_EQ(marks[2], (digitize::PointMark{30, 20, 0xFF0000, true}));
    // The right and bottom edges are left out; a margin takes in what lies near.
    EXPECT_TRUE(digitize::MarksWithin(series, {0, 0, 10, 20}, 0, std::nullopt).empty());
    EXPECT_EQ(digitize::MarksWithin(series, {0, 0, 10, 20}, 1, std::nullopt).size(), 1u);
    EXPECT_EQ(digitize::MarksWithin(series, {0, 0, 200, 200}, 0, std::nullopt).size(), 5u);
}

} // namespace
