// Auto Run's tracker over curves drawn here with known centres: every step it
// records lies on the curve, and it skips the steps where the picture does
// not hold the curve (a break, after its end) instead of writing what else
// is there (a legend's sample, grid lines and axes of the curve's colour, a
// neighbouring series of a similar shade).
#include "digitize/search/CurveTracker.h"

#include "Strokes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace {

using digitize::Box;
using digitize::Colour;
using digitize::Surface;
using digitize::YReading;
using strokes::Curve;
using strokes::Stroke;

constexpr Colour Navy = 0xAA2814;  // R 20, G 40, B 170
constexpr Colour Slate = 0xC87050; // R 80, G 112, B 200: within 64 of Navy
constexpr int Width = 420;
constexpr int Height = 260;
constexpr Box StepBox{5, 15};
constexpr double Step = 8.0;
constexpr double FirstX = 20.0;

Curve Wave(double phase = 0) {
    return {[phase](double x) { return 130.0 + 50.0 * std::sin(x / 45.0 + phase); },
            [phase](double x) { return 50.0 / 45.0 * std::cos(x / 45.0 + phase); }};
}

Curve Flat(double row) {
    return {[row](double) { return row; }, [](double) { return 0.0; }};
}

Curve Drawn(Curve c, std::function<bool(double)> where) {
    c.drawn = std::move(where);
    return c;
}

struct Scenario {
    std::string name;
    std::function<void(Surface &)> draw; // all that the picture holds
    Curve truth;                         // the curve followed, inked where it has a value
    int recordedAtLeast;
    int skippedAtLeast;
    double worst = 1.0; // pixels between a recorded point and the curve
    friend std::ostream &operator<<(std::ostream &out, const Scenario &s) { return out << s.name; }
};

// The shortest distance from (x, row) to the curve, in pixels.
double Distance(const Curve &c, double x, double row) {
    double nearest = std::fabs(c.f(x) - row);
    for (double u = x - 8; u <= x + 8; u += 1.0 / 64)
        nearest = std::min(nearest, std::hypot(u - x, c.f(u) - row));
    return nearest;
}

std::vector<Scenario> Scenarios() {
    const auto breakAt = [](double x) { return x < 150 || x > 240; };
    const auto dashes = [](double x) { return std::fmod(x, 10.0) < 6.0; };
    const auto untilEnd = [](double x) { return x < 250; };
    std::vector<Scenario> out;
    out.push_back({"clean wave", [](Surface &p) { Stroke(p, Wave(), 2, Navy); }, Wave(), 48, 0});
    out.push_back({"a break in the data",
                   [=](Surface &p) { Stroke(p, Drawn(Wave(), breakAt), 2, Navy); },
                   Drawn(Wave(), breakAt), 36, 9});
    // A dashed line's curve has a value in the gaps between its dashes.
    out.push_back({"dashed", [=](Surface &p) { Stroke(p, Drawn(Wave(), dashes), 2, Navy); }, Wave(),
                   45, 0, 1.25});
    // The legend's sample of the curve's colour lies in the columns after its
    // end, more than two box heights from where the curve was heading.
    out.push_back(
        {"ends early, the legend's sample beyond",
         [=](Surface &p) {
             Stroke(p, Drawn(Wave(), untilEnd), 2, Navy);
             Stroke(p, Drawn(Flat(Wave().f(250) - 66), [](double x) { return x > 300 && x < 345; }),
                    2, Navy);
         },
         Drawn(Wave(), untilEnd), 28, 19});
    out.push_back({"grid and axes in the curve's colour",
                   [](Surface &p) {
                       for (double row : {60.0, 105.0, 165.0, 200.0})
                           Stroke(p, Flat(row), 1, Navy);
                       for (int column : {101, 201, 301})
                           for (int r = 10; r < Height - 10; ++r)
                               p.Row(r)[column] = digitize::WordFromColour(Navy);
                       Stroke(p, Wave(), 2, Navy);
                   },
                   Wave(), 45, 0, 1.5});
    // A neighbouring shade crosses the curve twice; drawn last, it hides it there.
    out.push_back({"a neighbouring shade crossing",
                   [](Surface &p) {
                       Stroke(p, Wave(), 2, Navy);
                       Stroke(p, Wave(0.9), 2, Slate);
                   },
                   Wave(), 45, 0, 1.5});
    return out;
}

class TrackerOnScenario : public testing::TestWithParam<Scenario> {};

TEST_P(TrackerOnScenario, RecordsOnlyPointsOnTheCurve) {
    const Scenario &s = GetParam();
    Surface picture = Surface::Blank(Width, Height);
    s.draw(picture);
    for (const YReading reading : {YReading::Row, YReading::BoxAverage, YReading::SubPixel}) {
        SCOPED_TRACE(static_cast<int>(reading));
        // The user starts a few rows off the curve at its first step.
        digitize::CurveTracker tracker({StepBox, Navy, 64, Height, reading}, s.truth.f(FirstX) - 4);
        int recorded = 0;
        for (double x = FirstX; x <= Width - 20; x += Step) {
            const auto step = tracker.Step(picture, x);
            if (!step.Found)
                continue;
            ++recorded;
            EXPECT_TRUE(s.truth.drawn(x)) << "a point at x " << x << " where the curve is not";
            EXPECT_LE(Distance(s.truth, x, step.Value), s.worst) << "x " << x;
            EXPECT_LE(Distance(s.truth, std::round(x), step.Row), 1.5) << "x " << x;
        }
        EXPECT_GE(recorded, s.recordedAtLeast);
        EXPECT_GE(tracker.Skipped(), s.skippedAtLeast);
        EXPECT_EQ(tracker.Recorded(), recorded);
    }
}

INSTANTIATE_TEST_SUITE_P(Scenarios, TrackerOnScenario, testing::ValuesIn(Scenarios()),
                         [](const testing::TestParamInfo<Scenario> &param) {
                             std::string name = param.param.name;
                             for (char &c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return name;
                         });

TEST(CurveTracker, StartsOnlyOnALineNearTheUsersRow) {
    Surface picture = Surface::Blank(Width, Height);
    Stroke(picture, Flat(130), 2, Navy);
    // Beyond a box height from the crosshair the line is not where the user is.
    digitize::CurveTracker far({StepBox, Navy, 64, Height, YReading::Row}, 130 - 40);
    const auto missed = far.Step(picture, 50);
    EXPECT_FALSE(missed.Found);
    EXPECT_EQ(missed.Row, 90); // the crosshair keeps its row
    EXPECT_EQ(far.Skipped(), 1);
    digitize::CurveTracker near({StepBox, Navy, 64, Height, YReading::Row}, 130 - 14);
    const auto found = near.Step(picture, 50);
    EXPECT_TRUE(found.Found);
    EXPECT_NEAR(found.Value, 130, 0.5);
}

TEST(CurveTracker, SettlesOnTheLinesOwnCentreInAJaggedLine) {
    // A line zigzagging 12 rows every 6 columns: the row recorded is the
    // line's in the step's column, not the box's mean.
    const Curve zigzag{[](double x) {
                           const double t = std::fmod(x, 12.0);
                           return 120.0 + (t < 6 ? 2 * t : 24 - 2 * t);
                       },
                       [](double x) { return std::fmod(x, 12.0) < 6 ? 2.0 : -2.0; }};
    Surface picture = Surface::Blank(Width, Height);
    Stroke(picture, zigzag, 1.5, Navy);
    digitize::CurveTracker tracker({StepBox, Navy, 64, Height, YReading::Row}, 120);
    for (double x = 21; x < 300; x += 7) {
        const auto step = tracker.Step(picture, x);
        ASSERT_TRUE(step.Found) << x;
        EXPECT_NEAR(step.Row, zigzag.f(std::round(x)), 1.5) << x;
    }
}

TEST(CurveTracker, FollowsATurnAtAMarker) {
    // A "+" marker sits on the line where it turns sharply downwards.
    const Curve vee{[](double x) { return x < 100 ? 150 - 1.5 * (x - 20) : 30 + 2.5 * (x - 100); },
                    [](double x) { return x < 100 ? -1.5 : 2.5; }};
    Surface picture = Surface::Blank(Width, Height);
    Stroke(picture, vee, 1.5, Navy);
    for (int d = -4; d <= 4; ++d) {
        picture.Row(30)[100 + d] = digitize::WordFromColour(Navy);
        picture.Row(30 + d)[100] = digitize::WordFromColour(Navy);
    }
    digitize::CurveTracker tracker({StepBox, Navy, 64, Height, YReading::Row}, 150);
    int found = 0;
    for (double x = 20; x < 180; x += Step) {
        const auto step = tracker.Step(picture, x);
        found += step.Found ? 1 : 0;
        if (step.Found && std::fabs(x - 100) > 4) {
            EXPECT_NEAR(step.Row, vee.f(x), 1.5) << x;
        }
    }
    EXPECT_EQ(found, 20);
}

} // namespace
