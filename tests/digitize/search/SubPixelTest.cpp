// The sub-pixel centre estimate on lines drawn here with known centres:
// straight at four slopes and curved, 1 to 4 pixels wide, anti-aliased by
// their exact coverage, clean and through JPEG quality 90.
#include "digitize/search/SubPixel.h"

#include "digitize/calibration/Rounding.h"
#include "digitize/picture/JpegDecoder.h"
#include "digitize/search/Colour.h"

#include "Strokes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace {

using digitize::Box;
using digitize::Colour;
using digitize::Surface;
using strokes::Curve;
using strokes::Stroke;
using strokes::ThroughJpeg;

constexpr Colour Navy = 0xAA2814; // R 20, G 40, B 170
constexpr Colour Red = 0x0000FF;
constexpr Colour Grey = 0xB4B4B4;
constexpr int Size = 200;
constexpr Box StepBox{7, 15};

Curve Straight(double slope) {
    return {[slope](double x) { return 100.25 + slope * (x - 100.0); },
            [slope](double) { return slope; }};
}

Curve Wave() {
    return {[](double x) { return 100.0 + 30.0 * std::sin(x / 25.0); },
            [](double x) { return 1.2 * std::cos(x / 25.0); }};
}

struct Case {
    std::string name;
    Curve curve;
    double width;
    bool jpeg;
    double worstAllowed;
    double meanAllowed;
    bool grid = false; // a vertical and a horizontal grey grid line through the box
    friend std::ostream &operator<<(std::ostream &out, const Case &c) { return out << c.name; }
};

std::vector<Case> Cases() {
    const std::pair<const char *, Curve> curves[] = {
        {"horizontal", Straight(0)},
        {"slope1to3", Straight(1.0 / 3)},
        {"slope1to1", Straight(1)},
        {"slope3to1", Straight(3)},
        {"wave", Wave()},
    };
    std::vector<Case> cases;
    for (const auto &[name, curve] : curves)
        for (double width : {1.0, 2.0, 4.0}) {
            const std::string base = std::string(name) + "_" + std::to_string(int(width)) + "px";
            cases.push_back({base + "_clean", curve, width, false, 0.1, 0.05});
            cases.push_back({base + "_jpeg90", curve, width, true, 0.15, 0.05});
        }
    cases.push_back({"slope1to3_2px_grid", Straight(1.0 / 3), 2, false, 0.1, 0.05, true});
    cases.push_back({"wave_2px_grid_jpeg90", Wave(), 2, true, 0.15, 0.05, true});
    return cases;
}

class SubPixelRowOnDrawnLines : public testing::TestWithParam<Case> {};

TEST_P(SubPixelRowOnDrawnLines, FindsTheCentreAtTheExactColumn) {
    const Case &c = GetParam();
    Surface picture = Surface::Blank(Size, Size);
    if (c.grid) {
        Stroke(picture, {[](double) { return 95.0; }, [](double) { return 0.0; }}, 1, Grey);
        for (int r = 0; r < Size; ++r)
            picture.Row(r)[103] = digitize::WordFromColour(Grey);
    }
    Stroke(picture, c.curve, c.width, Navy);
    if (c.jpeg)
        picture = ThroughJpeg(picture, 90);

    // Columns at every fraction, the crosshair's row up to 3 pixels off the line.
    double worst = 0;
    double sum = 0;
    int n = 0;
    for (int k = 0; k < 24; ++k) {
        const double x = 88.0 + k * 1.037;
        const double truth = c.curve.f(x);
        const std::int64_t cy = digitize::Round(truth) + (k % 7) - 3;
        const auto row = digitize::SubPixelRow(picture, x, cy, StepBox, Navy, 64);
        ASSERT_TRUE(row.has_value()) << "x " << x << ", crosshair row " << cy;
        const double error = std::fabs(*row - truth);
        EXPECT_LE(error, c.worstAllowed) << "x " << x << ": " << *row << " for " << truth;
        worst = std::max(worst, error);
        sum += error;
        ++n;
    }
    EXPECT_LE(sum / n, c.meanAllowed) << "worst " << worst;
}

INSTANTIATE_TEST_SUITE_P(Lines, SubPixelRowOnDrawnLines, testing::ValuesIn(Cases()),
                         [](const auto &row) { return row.param.name; });

TEST(SubPixelRow, FindsNothingWhenTheBoxHoldsNoLine) {
    Surface blank = Surface::Blank(Size, Size);
    EXPECT_FALSE(digitize::SubPixelRow(blank, 100, 100, StepBox, Navy, 64).has_value());

    Surface line = Surface::Blank(Size, Size);
    Stroke(line, Straight(0), 2, Navy);
    // The line lies beyond the box's rows.
    EXPECT_FALSE(digitize::SubPixelRow(line, 100, 130, StepBox, Navy, 64).has_value());
    // Another colour is not the line; nor is a line colour that is the background.
    EXPECT_FALSE(digitize::SubPixelRow(line, 100, 100, StepBox, Red, 64).has_value());
    EXPECT_FALSE(digitize::SubPixelRow(line, 100, 100, StepBox, digitize::White, 64).has_value());
    // A line on the box's last row may go on beyond it: its centre is unknown.
    EXPECT_FALSE(digitize::SubPixelRow(line, 100, 85, StepBox, Navy, 64).has_value());
    EXPECT_TRUE(digitize::SubPixelRow(line, 100, 87, StepBox, Navy, 64).has_value());
    // A box beyond the picture reads white.
    EXPECT_FALSE(digitize::SubPixelRow(line, -500, 100, StepBox, Navy, 64).has_value());
}

TEST(SubPixelRow, KeepsToTheLineNearestTheCrosshairRow) {
    Surface two = Surface::Blank(Size, Size);
    Stroke(two, {[](double) { return 92.4; }, [](double) { return 0.0; }}, 2, Navy);
    Stroke(two, {[](double) { return 106.7; }, [](double) { return 0.0; }}, 2, Navy);
    EXPECT_NEAR(digitize::SubPixelRow(two, 100, 95, StepBox, Navy, 64).value(), 92.4, 0.05);
    EXPECT_NEAR(digitize::SubPixelRow(two, 100, 104, StepBox, Navy, 64).value(), 106.7, 0.05);
}

// A column of the box: Navy on the given rows, over white.
void Paint(Surface &picture, int column, int firstRow, int rows, Colour colour = Navy) {
    for (int r = firstRow; r < firstRow + rows; ++r)
        picture.Row(r)[column] = digitize::WordFromColour(colour);
}

// The rules' edges: how faint a line may be, a line covering just under half
// of a box, one odd column among three, the box's last column, a speck, a
// line touching another.
TEST(SubPixelRow, ReadsALineAtTheEdgesOfItsRules) {
    // Navy mixed with white: a quarter and two fifths of the way.
    const auto pale = [](double a) {
        Colour c = 0;
        for (int shift = 0; shift < 24; shift += 8) {
            const double l = (Navy >> shift) & 0xFFu;
            c |= static_cast<Colour>(std::lround(255 + a * (l - 255))) << shift;
        }
        return c;
    };
    struct Row {
        const char *name;
        std::function<void(Surface &)> draw;
        double x;
        Box box;
        std::optional<double> want;
    };
    const Row rows[] = {
        {"a line two rows wide, 40% of the way to the line colour",
         [&](Surface &s) { Stroke(s, Straight(0), 2, pale(0.4)); }, 100, StepBox, 100.25},
        {"the same at 25%, fainter than a line",
         [&](Surface &s) { Stroke(s, Straight(0), 2, pale(0.25)); }, 100, StepBox, std::nullopt},
        {"15 rows of a 31-row column: the white is still the background",
         [](Surface &s) { Paint(s, 100, 93, 15); }, 100, Box{0, 15}, 100.0},
        {"one column of three a row lower: read as a line, not fitted",
         [](Surface &s) {
             Paint(s, 99, 100, 2);
             Paint(s, 100, 101, 2);
             Paint(s, 101, 100, 2);
         },
         100, Box{1, 15}, 100.5 + 1.0 / 3},
        {"a mark in the last column of the box around Round(100.6)",
         [](Surface &s) { Paint(s, 104, 100, 2); }, 100.6, Box{3, 15}, 100.5},
        {"one pixel 40% of the way: too little for a line",
         [&](Surface &s) { Paint(s, 100, 100, 1, pale(0.4)); }, 100, Box{3, 15}, std::nullopt},
        {"a line touching a grid line below: the pixel between is an edge of both",
         [](Surface &s) {
             Stroke(s, {[](double) { return 99.75; }, [](double) { return 0.0; }}, 2, Navy);
             Stroke(s, {[](double) { return 102.0; }, [](double) { return 0.0; }}, 1, Navy);
         },
         100, StepBox, 99.75},
    };
    for (const Row &row : rows) {
        Surface picture = Surface::Blank(Size, Size);
        row.draw(picture);
        const auto found = digitize::SubPixelRow(picture, row.x, 100, row.box, Navy, 64);
        ASSERT_EQ(found.has_value(), row.want.has_value()) << row.name;
        if (found) {
            EXPECT_NEAR(*found, *row.want, 0.05) << row.name;
        }
    }
}

TEST(SubPixelRow, TheToleranceDecidesWhatColourIsTheLine) {
    // A line whose pure colour lies 150 from the colour asked for in one channel.
    constexpr Colour Sampled = 0x1E3214; // R 20, G 50, B 30
    constexpr Colour Drawn = 0xB43214;   // B 180
    Surface line = Surface::Blank(Size, Size);
    Stroke(line, Straight(0.25), 3, Drawn);
    EXPECT_FALSE(digitize::SubPixelRow(line, 100, 100, StepBox, Sampled, 64).has_value());
    EXPECT_NEAR(digitize::SubPixelRow(line, 100.5, 100, StepBox, Sampled, 160).value(),
                100.25 + 0.125, 0.1);
}

} // namespace

namespace {

TEST(SubPixelRow, GuidedItKeepsToTheCurvesCourseNotToTheNearestRun) {
    // A line of slope 1/2 and a grid line of its colour on row 96: read from
    // row 97 the nearest run in every column is the grid line's.
    const Curve line{[](double x) { return 100.3 + 0.5 * (x - 100.0); },
                     [](double) { return 0.5; }};
    Surface picture = Surface::Blank(Size, Size);
    Stroke(picture, {[](double) { return 96.0; }, [](double) { return 0.0; }}, 1, Navy);
    Stroke(picture, line, 2, Navy);
    const digitize::Box box{7, 15};
    EXPECT_NEAR(digitize::SubPixelRow(picture, 100, 97, box, Navy, 64).value(), 96.0, 0.2);
    const auto guided = digitize::SubPixelRow(picture, 100, 97, box, Navy, 64,
                                              digitize::Guide{100, 100.3, 0.5, 2.0});
    ASSERT_TRUE(guided.has_value());
    EXPECT_NEAR(*guided, 100.3, 0.1);
    // Nothing within reach of the course: nothing found, rather than the grid line.
    EXPECT_FALSE(
        digitize::SubPixelRow(picture, 100, 97, box, Navy, 64, digitize::Guide{100, 110, 0.5, 2.0})
            .has_value());
}

} // namespace
