// The zoom's arithmetic: the fit, the stops, and a mapping in which a click
// lands on the pixel that is drawn under it at every zoom.
#include "digitize/view/Zoom.h"

#include "digitize/Errors.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

using digitize::Extent;
using digitize::MakeZoom;
using digitize::Zoom;

std::string Show(Zoom z) {
    return std::to_string(z.Num) + "/" + std::to_string(z.Den);
}

TEST(MakeZoom, KeepsLowestTermsAndRefusesWhatIsNoZoom) {
    const Zoom z = MakeZoom(692, 6000);
    EXPECT_EQ(z.Num, 173);
    EXPECT_EQ(z.Den, 1500);
    EXPECT_EQ(MakeZoom(2, 8), (Zoom{1, 4}));
    EXPECT_LT(MakeZoom(1, 3), MakeZoom(1, 2));
    for (const auto &[num, den] : {std::pair{0, 1}, {1, 0}, {-2, 3}, {3, -1}})
        EXPECT_THROW(MakeZoom(num, den), digitize::Error) << num << "/" << den;
    EXPECT_THROW(MakeZoom(std::int64_t{1} << 32, 1), digitize::Error);
}

TEST(FitZoom, IsTheNarrowerRatioWholeFromOneToOneUpAndAtMostEight) {
    struct Row {
        const char *what;
        int w, h, viewW, viewH;
        Zoom want;
    } rows[] = {
        {"wide picture: the width decides", 6000, 2000, 692, 551, {173, 1500}},
        {"tall picture: the height decides", 2000, 6000, 692, 551, {551, 6000}},
        {"exactly the view", 692, 551, 692, 551, {1, 1}},
        {"a small picture: whole zooms only", 300, 200, 692, 551, {2, 1}},
        {"just under twice", 347, 276, 692, 551, {1, 1}},
        {"a tiny picture stops at eight", 10, 10, 692, 551, {8, 1}},
        {"no picture", 0, 10, 692, 551, {1, 1}},
        {"no view", 100, 100, 0, 551, {1, 1}},
        {"the largest picture", 65535, 65535, 692, 551, {551, 65535}},
    };
    for (const Row &row : rows)
        EXPECT_EQ(Show(digitize::FitZoom(row.w, row.h, row.viewW, row.viewH)), Show(row.want))
            << row.what;
}

TEST(ZoomStops, RunFromTheFitOrOneToOneUpToEight) {
    const auto shown = [](const std::vector<Zoom> &stops) {
        std::string text;
        for (const Zoom &z : stops)
            text += Show(z) + " ";
        return text;
    };
    EXPECT_EQ(shown(digitize::ZoomStops({173, 1500})),
              "173/1500 1/8 1/6 1/4 1/3 1/2 2/3 1/1 2/1 3/1 4/1 6/1 8/1 ");
    EXPECT_EQ(shown(digitize::ZoomStops({1, 4})), "1/4 1/3 1/2 2/3 1/1 2/1 3/1 4/1 6/1 8/1 ");
    EXPECT_EQ(shown(digitize::ZoomStops({2, 5})), "2/5 1/2 2/3 1/1 2/1 3/1 4/1 6/1 8/1 ");
    EXPECT_EQ(shown(digitize::ZoomStops({1, 100})),
              "1/100 1/8 1/6 1/4 1/3 1/2 2/3 1/1 2/1 3/1 4/1 6/1 8/1 ");
    // A small picture: one to one stays reachable below its fit.
    EXPECT_EQ(shown(digitize::ZoomStops({5, 1})), "1/1 2/1 3/1 4/1 5/1 6/1 8/1 ");
    EXPECT_EQ(shown(digitize::ZoomStops({8, 1})), "1/1 2/1 3/1 4/1 6/1 8/1 ");
}

TEST(NextZoom, StepsThroughTheStopsAndHoldsAtTheEnds) {
    const Zoom fit{173, 1500};
    struct Row {
        Zoom from;
        int steps;
        Zoom want;
    } rows[] = {
        {{1, 1}, 1, {2, 1}},   {{1, 1}, -1, {2, 3}}, {{1, 1}, 2, {3, 1}},  {{8, 1}, 1, {8, 1}},
        {{1, 8}, -1, fit},     {fit, -1, fit},       {fit, 1, {1, 8}},     {{1, 1}, -20, fit},
        {{1, 1}, 20, {8, 1}},  {{5, 1}, 1, {6, 1}},  {{5, 1}, -1, {4, 1}}, // between stops
        {{16, 1}, -1, {8, 1}}, {{1, 1}, 0, {1, 1}},  {{1, 1000}, 1, fit},
    };
    for (const Row &row : rows)
        EXPECT_EQ(Show(digitize::NextZoom(row.from, row.steps, fit)), Show(row.want))
            << Show(row.from) << " by " << row.steps;
}

// For each zoom, every view pixel's click lands in a picture pixel whose
// view span holds that view pixel, and the spans tile the view.
TEST(ViewSpan, AndPixelUnderAgreeAtEveryZoom) {
    for (const Zoom z : {Zoom{1, 4}, Zoom{2, 3}, Zoom{1, 1}, Zoom{4, 1}, Zoom{173, 1500},
                         Zoom{1, 6}, Zoom{8, 1}, Zoom{3, 1}}) {
        std::int64_t next = 0;
        for (std::int64_t p = 0; p < 60; ++p) {
            const Extent s = digitize::ViewSpan(p, p + 1, z);
            if (z >= digitize::OneToOne) {
                // Cells follow each other without gaps or overlaps.
                EXPECT_EQ(s.First, next) << Show(z) << " pixel " << p;
                EXPECT_GT(s.End, s.First);
                next = s.End;
            }
            for (std::int64_t v = s.First; v < s.End; ++v) {
                const auto under = digitize::PixelUnder(static_cast<double>(v), z);
                const Extent shown = digitize::PictureSpan(v, v + 1, z);
                EXPECT_TRUE(under >= shown.First && under < shown.End) << Show(z) << " v " << v;
                EXPECT_TRUE(p >= shown.First && p < shown.End) << Show(z) << " p " << p;
            }
        }
    }
}

TEST(ViewSpan, MapsRangesAsTheViewDrawsThem) {
    struct Row {
        Zoom z;
        std::int64_t first, end;
        Extent want;
    } rows[] = {
        {{1, 1}, 10, 20, {10, 20}},   {{4, 1}, 10, 20, {40, 80}},   {{1, 4}, 100, 104, {25, 26}},
        {{1, 4}, 103, 105, {25, 27}}, {{1, 4}, 104, 105, {26, 27}}, {{2, 3}, 1, 2, {1, 2}},
        {{2, 3}, 2, 3, {1, 2}},       {{4, 1}, 5, 5, {0, 0}},       {{4, 1}, -2, 1, {-8, 4}},
    };
    for (const Row &row : rows)
        EXPECT_EQ(digitize::ViewSpan(row.first, row.end, row.z), row.want)
            << Show(row.z) << " [" << row.first << ", " << row.end << ")";
    EXPECT_EQ(digitize::PictureSpan(25, 26, {1, 4}), (Extent{100, 104}));
    EXPECT_EQ(digitize::PictureSpan(40, 48, {4, 1}), (Extent{10, 12}));
    EXPECT_EQ(digitize::PictureSpan(0, 2, {2, 3}), (Extent{0, 3}));
    EXPECT_EQ(digitize::ViewRect({10, 20, 11, 21}, {8, 1}), (digitize::Rect{80, 160, 88, 168}));
    EXPECT_TRUE(digitize::ViewRect({10, 20, 10, 21}, {8, 1}).Empty());
    EXPECT_EQ(digitize::ViewLength(6000, {173, 1500}), 692);
    EXPECT_EQ(digitize::ViewLength(65535, {8, 1}), 524280);
    EXPECT_EQ(digitize::ViewLength(7, {1, 4}), 2);
}

TEST(PixelUnder, FloorsThePositionOverTheZoom) {
    struct Row {
        double at;
        Zoom z;
        std::int32_t want;
    } rows[] = {
        {25, {1, 4}, 100},
        {25.99, {1, 4}, 103},
        {100.75, {1, 1}, 100},
        {-0.25, {1, 1}, -1},
        {47.9, {4, 1}, 11},
        {48, {4, 1}, 12},
        {1, {2, 3}, 1},
        {3, {1, 3}, 9},
        {1e12, {1, 8}, std::numeric_limits<std::int32_t>::max()},
        {-1e12, {1, 8}, std::numeric_limits<std::int32_t>::min()},
    };
    for (const Row &row : rows)
        EXPECT_EQ(digitize::PixelUnder(row.at, row.z), row.want) << row.at << " at " << Show(row.z);
}

TEST(AnchoredOffset, KeepsThePictureUnderTheMouseInPlace) {
    // The mouse 100 pixels into a view scrolled to 300, at 1x: picture 400.
    EXPECT_EQ(digitize::AnchoredOffset(300, 100, {1, 1}, {2, 1}), 700); // 400 x 2 - 100
    EXPECT_EQ(digitize::AnchoredOffset(700, 100, {2, 1}, {1, 1}), 300);
    EXPECT_EQ(digitize::AnchoredOffset(300, 100, {1, 1}, {1, 4}), 0);  // clamped by the caller
    EXPECT_EQ(digitize::AnchoredOffset(0, 50.5, {1, 1}, {8, 1}), 354); // 404 - 50.5, rounded
}

TEST(ZoomText, ShowsThePercentageAndTheFit) {
    EXPECT_EQ(digitize::ZoomText({4, 1}, false), "Zoom 400%");
    EXPECT_EQ(digitize::ZoomText({1, 1}, false), "Zoom 100%");
    EXPECT_EQ(digitize::ZoomText({1, 4}, true), "Zoom 25% (fit)");
    EXPECT_EQ(digitize::ZoomText({2, 3}, false), "Zoom 67%");
    EXPECT_EQ(digitize::ZoomText({1, 8}, false), "Zoom 13%");
    EXPECT_EQ(digitize::ZoomText({173, 1500}, true), "Zoom 12% (fit)");
    EXPECT_EQ(digitize::ZoomText({1, 1000}, true), "Zoom 1% (fit)");
}

} // namespace
