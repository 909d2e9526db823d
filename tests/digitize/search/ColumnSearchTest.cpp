#include "digitize/search/ColumnSearch.h"

#include "digitize/search/Colour.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using digitize::Box;
using digitize::Surface;

constexpr digitize::Colour Black = 0x000000;

Surface WithRows(int w, int h, std::initializer_list<int> rows) {
    Surface s = Surface::Blank(w, h);
    for (int r : rows)
        for (int x = 0; x < w; ++x)
            s.Row(r)[x] = digitize::WordFromColour(Black);
    return s;
}

TEST(FindCurveRow, PrefersTheUpperOfTwoCurvesAtEqualDistance) {
    const Surface close = WithRows(100, 100, {46, 54});
    EXPECT_EQ(digitize::FindCurveRow(close, 50, 50, 100, Box{6, 15}, Black, 64), 46);
    // Both curves inside every best box: among equal sums the upper row wins.
    EXPECT_EQ(digitize::FindCurveRow(close, 50, 53, 100, Box{6, 15}, Black, 64), 46);
    const Surface apart = WithRows(100, 100, {30, 70});
    EXPECT_EQ(digitize::FindCurveRow(apart, 50, 50, 100, Box{6, 15}, Black, 64), 30);
    EXPECT_EQ(digitize::FindCurveRow(apart, 50, 52, 100, Box{6, 15}, Black, 64), 70);
}

TEST(FindCurveRow, CentresOnAThickCurveNearTheCrosshair) {
    const Surface thick = WithRows(100, 200, {119, 120, 121});
    EXPECT_EQ(digitize::FindCurveRow(thick, 50, 100, 200, Box{6, 15}, Black, 64), 120);
    EXPECT_EQ(digitize::FindCurveRow(thick, 50, 150, 200, Box{6, 15}, Black, 64), 120);
}

TEST(FindCurveRow, KeepsTheRowWhenTheColumnHasNoCurve) {
    const Surface empty = WithRows(100, 100, {});
    EXPECT_EQ(digitize::FindCurveRow(empty, 50, 40, 100, Box{6, 15}, Black, 64), 40);
    // Curves only in the margins the scan never reaches: rows up to 5 and from H-5.
    const Surface margins = WithRows(100, 100, {0, 5, 95, 99});
    EXPECT_EQ(digitize::FindCurveRow(margins, 50, 40, 100, Box{6, 15}, Black, 64), 40);
    // A negative box width finds no weight: the crosshair never moves vertically.
    const Surface line = WithRows(100, 100, {45});
    EXPECT_EQ(digitize::FindCurveRow(line, 50, 40, 100, Box{-4, 15}, Black, 64), 40);
    // An area under 5 rows high makes no pass: the weights work around the crosshair's row.
    const Surface flat = WithRows(100, 4, {2});
    EXPECT_EQ(digitize::FindCurveRow(flat, 50, 0, 4, Box{6, 15}, Black, 64), 2);
}

TEST(FindCurveRow, ScansDownwardFromAboveThePictureAndFromItsTopMargin) {
    const Surface line = WithRows(100, 100, {30});
    EXPECT_EQ(digitize::FindCurveRow(line, 50, -20, 100, Box{6, 15}, Black, 64), 30);
    const Surface near = WithRows(100, 100, {3});
    EXPECT_EQ(digitize::FindCurveRow(near, 50, 2, 100, Box{6, 15}, Black, 64), 3);
}

TEST(FindCurveRow, WhiteOnWhiteMovesUpByTheBoxHalfHeightOrStays) {
    const Surface white = WithRows(100, 100, {});
    EXPECT_EQ(digitize::FindCurveRow(white, 50, 40, 100, Box{2, 15}, digitize::White, 64), 25);
    EXPECT_EQ(digitize::FindCurveRow(white, 50, 10, 100, Box{2, 15}, digitize::White, 64), 10);
    EXPECT_EQ(digitize::FindCurveRow(white, 50, 40, 100, Box{1, 15}, digitize::White, 64), 40);
}

// The rows the scan reaches first and last, and candidate rows whose scores
// differ by little: the best one wins, even the last candidate.
TEST(FindCurveRow, FindsTheCurveAtTheMarginsAndTheBestOfCloseCandidates) {
    struct Row {
        const char *name;
        Surface picture;
        std::int64_t ry;
        std::int64_t want;
    };
    Surface band = WithRows(100, 100, {});
    for (int r = 40; r <= 80; ++r)
        for (int x = 0; x < 100; ++x)
            band.Row(r)[x] = digitize::WordFromColour(Black);
    Surface dot = WithRows(100, 100, {});
    dot.Row(40)[50] = digitize::WordFromColour(Black);
    Row rows[] = {
        {"a curve on row 6, the topmost scanned", WithRows(100, 100, {6}), 10, 6},
        {"a curve on row 94, the lowest scanned", WithRows(100, 100, {94}), 90, 94},
        // Every candidate down to the last (found row + HalfH) takes in more band.
        {"a thick band below: its top row plus the half height", std::move(band), 30, 55},
        // One pixel in the box: each candidate scores one less than its neighbour nearer it.
        {"a dot: candidates one apart", std::move(dot), 45, 40},
    };
    for (const Row &row : rows)
        EXPECT_EQ(digitize::FindCurveRow(row.picture, 50, row.ry, 100, Box{6, 15}, Black, 64),
                  row.want)
            << row.name;
}

TEST(FindCurveRow, StaysInsideThePictureWhateverTheBoxAndPosition) {
    const Surface small = WithRows(8, 8, {4});
    EXPECT_EQ(digitize::FindCurveRow(small, -5000, 3, 8, Box{400, 15}, Black, 64), 3);
    EXPECT_EQ(digitize::FindCurveRow(small, 2000000000, -2000000000, 8, Box{6, 15}, Black, 64),
              -2000000000);
}

// The search as its rule reads: every candidate row sums its whole box again,
// pixel by pixel, columns outer and rows inner, as 32-bit floats.
std::int64_t PlainSearch(const Surface &picture, std::int64_t rx, std::int64_t ry,
                         std::int64_t areaHeight, Box box, digitize::Colour colour, int tolerance) {
    const auto near = [&](std::int64_t x, std::int64_t y) {
        return digitize::ColorNear(picture.Pixel(x, y), colour, tolerance);
    };
    const auto lim = areaHeight - 5;
    bool up = true;
    bool down = true;
    std::int64_t r = ry;
    for (std::int64_t count = 0; count <= lim; ++count) {
        if (up) {
            r = ry - count;
            if (r <= 5)
                up = false;
            else if (near(rx, r))
                break;
        }
        if (down) {
            r = ry + count;
            if (r >= lim)
                down = false;
            else if (near(rx, r))
                break;
        }
        if (!up && !down) {
            r = ry;
            break;
        }
    }
    std::int64_t m = -10;
    if (up || down) {
        float best = 0;
        for (auto g = r - box.HalfH; g <= r + box.HalfH; ++g) {
            float sum = 0;
            for (auto c = rx - box.HalfW; c <= rx + box.HalfW; ++c)
                for (auto j = g - box.HalfH; j <= g + box.HalfH; ++j)
                    if (near(c, j))
                        sum = static_cast<float>(
                            static_cast<double>(sum) +
                            static_cast<double>(digitize::BoxWeight(rx, g, c, j, box.HalfW)));
            if (sum > best) {
                best = sum;
                m = g;
            }
        }
    }
    return m < 0 ? ry : m;
}

// Random pictures of speckles and thick curves near and far from the line
// colour: the search finds what the plain rule finds, row for row.
TEST(FindCurveRow, FindsWhatThePlainRuleFinds) {
    std::mt19937 random(16);
    const auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    const digitize::Colour line = 0x803010;
    for (int picture = 0; picture < 40; ++picture) {
        Surface s = Surface::Blank(60, 80);
        for (int i = 0; i < pick(0, 400); ++i)
            s.Row(pick(0, 79))[pick(0, 59)] = digitize::WordFromColour(
                line + static_cast<digitize::Colour>(pick(0, 40) * 0x010101));
        for (int curve = 0; curve < pick(0, 3); ++curve) {
            const int row = pick(0, 75);
            const int thick = pick(1, 4);
            for (int x = 0; x < 60; ++x)
                for (int y = row + x / pick(3, 12); y < row + x / 12 + thick && y < 80; ++y)
                    s.Row(y)[x] = digitize::WordFromColour(line);
        }
        for (int i = 0; i < 60; ++i) {
            const std::int64_t rx = pick(-3, 63);
            const std::int64_t ry = pick(-10, 90);
            const Box box{pick(-1, 8), pick(0, 15)};
            const int tolerance = pick(1, 80);
            const int height = pick(0, 1) == 0 ? 80 : pick(0, 100);
            ASSERT_EQ(digitize::FindCurveRow(s, rx, ry, height, box, line, tolerance),
                      PlainSearch(s, rx, ry, height, box, line, tolerance))
                << "picture " << picture << " at " << rx << ", " << ry << " box " << box.HalfW
                << " x " << box.HalfH << " tolerance " << tolerance << " height " << height;
        }
    }
}

} // namespace
