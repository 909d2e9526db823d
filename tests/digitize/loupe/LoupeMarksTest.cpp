// The loupe and the marks: the exclusive-or marks taken out of what it
// shows, the crosshair and box drawn over it, the recorded points' rings.
#include "LoupePictures.h"

#include <gtest/gtest.h>

namespace {

using namespace loupetest;

struct CoverageRow {
    const char *what;
    std::int64_t x;
    std::int64_t y;
    int lines;
};

TEST(LoupeMarks, EachPixelIsCoveredAsOftenAsTheMarksDrawIt) {
    // Cross at (1100, 1200), box 15 x 15 around it: corners 1085..1115, 1185..1215.
    const DrawnMarks marks{Point{1100, 1200}, digitize::BoxAround({1100, 1200}, 15, 15)};
    const CoverageRow rows[] = {
        {"centre, on both cross lines", 1100, 1200, 2},
        {"left arm", 1050, 1200, 1},
        {"left arm end, 1000 left", 100, 1200, 1},
        {"beyond the left arm", 99, 1200, 0},
        {"right arm end, 999 right", 2099, 1200, 1},
        {"beyond the right arm", 2100, 1200, 0},
        {"top arm end, 1000 up", 1100, 200, 1},
        {"beyond the top arm", 1100, 199, 0},
        {"bottom arm end, 999 down", 1100, 2199, 1},
        {"beyond the bottom arm", 1100, 2200, 0},
        {"box top-left corner", 1085, 1185, 1},
        {"box top-right corner", 1115, 1185, 1},
        {"box bottom-left corner", 1085, 1215, 1},
        {"box bottom-right corner", 1115, 1215, 1},
        {"box top side", 1090, 1185, 1},
        {"box left side on the cross row", 1085, 1200, 2},
        {"box bottom side on the cross column", 1100, 1215, 2},
        {"inside the box, off the lines", 1090, 1190, 0},
        {"just outside the box", 1084, 1190, 0},
    };
    for (const auto &row : rows)
        EXPECT_EQ(digitize::MarkCoverage(marks, row.x, row.y), row.lines) << row.what;
    EXPECT_EQ(digitize::MarkCoverage({}, 1100, 1200), 0) << "no marks drawn";
}

struct MarksRow {
    const char *what;
    DrawnMarks marks;
};

// Whatever the marks, taking them out gives back the picture they were drawn into.
TEST(LoupeMarks, TakingTheMarksOutGivesThePictureBack) {
    const MarksRow rows[] = {
        {"cross only", {Point{30, 20}, std::nullopt}},
        {"cross and box", {Point{30, 20}, digitize::BoxAround({30, 20}, 6, 15)}},
        {"box only", {std::nullopt, digitize::BoxAround({10, 10}, 3, 3)}},
        {"mirrored box", {Point{30, 20}, digitize::BoxAround({30, 20}, -4, 5)}},
        {"box of no width", {Point{30, 20}, digitize::BoxAround({30, 20}, 0, 5)}},
        {"cross on the corner pixel", {Point{0, 0}, digitize::BoxAround({0, 0}, 2, 2)}},
        {"cross outside the picture", {Point{-10, 45}, std::nullopt}},
    };
    for (const auto &row : rows) {
        Surface picture = Pattern(64, 48);
        DrawMarks(picture, row.marks);
        int inverted = 0;
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 64; ++x) {
                inverted += picture.Pixel(x, y) != PatternColour(x, y);
                ASSERT_EQ(digitize::CleanPixel(picture, row.marks, x, y), PatternColour(x, y))
                    << row.what << " at " << x << "," << y;
            }
        EXPECT_GT(inverted, 0) << row.what << ": the marks changed nothing, so nothing was tested";
    }
    const Surface picture = Pattern(8, 8);
    EXPECT_EQ(digitize::CleanPixel(picture, {Point{3, 3}, std::nullopt}, -1, 3),
              digitize::OutsideColour);
}

// ------------------------------------------------------------ cell layout

TEST(LoupeOverlay, TheLoupeShowsThePictureWithoutItsMarks) {
    const DrawnMarks marks{Point{40, 30}, digitize::BoxAround({40, 30}, 3, 3)};
    Surface picture = Pattern(80, 60);
    DrawMarks(picture, marks);
    const LoupeScene scene{{41, 31}, 16, marks, std::nullopt, 64};
    const Render r(picture, scene, 200, 200);
    // Inside the cells of marked pixels, away from every frame, the picture's own colour.
    for (const Point p : {Point{42, 30}, Point{40, 32}, Point{37, 28}, Point{43, 33}, Point{41, 27},
                          Point{39, 33}}) {
        ASSERT_GT(digitize::MarkCoverage(marks, p.X, p.Y) % 2, 0) << p.X << "," << p.Y;
        const ScreenPoint c = digitize::CellCorner(scene, 200, 200, p);
        EXPECT_EQ(Hex(r.At(c.X + 8, c.Y + 8)),
                  Hex(digitize::WordFromColour(PatternColour(p.X, p.Y))))
            << p.X << "," << p.Y;
    }
}

TEST(LoupeOverlay, TheCrosshairPixelIsFramedDarkInsideAndLightOutside) {
    const DrawnMarks marks{Point{40, 30}, std::nullopt};
    for (int zoom : digitize::LoupeZooms) {
        const LoupeScene scene{{41, 31}, zoom, marks, std::nullopt, 64};
        const Render r(Pattern(80, 60), scene, 200, 200);
        const ScreenPoint c = digitize::CellCorner(scene, 200, 200, {40, 30});
        for (int i = 0; i <= zoom; ++i) {
            for (ScreenPoint p : {ScreenPoint{c.X + i, c.Y}, ScreenPoint{c.X + i, c.Y + zoom},
                                  ScreenPoint{c.X, c.Y + i}, ScreenPoint{c.X + zoom, c.Y + i}})
                ASSERT_EQ(r.At(p.X, p.Y), digitize::LoupeDark) << "zoom " << zoom << " " << i;
            for (ScreenPoint p :
                 {ScreenPoint{c.X + i, c.Y - 1}, ScreenPoint{c.X + i, c.Y + zoom + 1},
                  ScreenPoint{c.X - 1, c.Y + i}, ScreenPoint{c.X + zoom + 1, c.Y + i}})
                ASSERT_EQ(r.At(p.X, p.Y), digitize::LoupeLight) << "zoom " << zoom << " " << i;
        }
        // The cell inside the frame keeps the picture's colour.
        EXPECT_EQ(r.At(c.X + zoom / 2, c.Y + zoom / 2),
                  digitize::WordFromColour(PatternColour(40, 30)))
            << "zoom " << zoom;
    }
}

TEST(LoupeOverlay, TheBoxOutlineBandLiesBetweenTwoDashedFrames) {
    const DrawnMarks marks{std::nullopt, digitize::BoxAround({40, 30}, 3, 2)}; // 37..43, 28..32
    Surface picture = Pattern(80, 60);
    DrawMarks(picture, marks);
    const LoupeScene scene{{40, 30}, 8, marks, std::nullopt, 64};
    const Render r(picture, scene, 200, 200);
    const auto tone = [&](ScreenPoint p) {
        const auto w = r.At(p.X, p.Y);
        return w == digitize::LoupeDark ? 'd' : w == digitize::LoupeLight ? 'l' : '.';
    };
    const ScreenPoint outerTL = digitize::CellCorner(scene, 200, 200, {37, 28});
    const ScreenPoint outerBR = digitize::CellCorner(scene, 200, 200, {44, 33});
    const ScreenPoint innerTL = digitize::CellCorner(scene, 200, 200, {38, 29});
    const ScreenPoint innerBR = digitize::CellCorner(scene, 200, 200, {43, 32});
    std::string outer;
    std::string inner;
    for (std::int64_t x = outerTL.X; x <= outerBR.X; ++x)
        outer += tone({x, outerTL.Y});
    for (std::int64_t y = innerTL.Y; y <= innerBR.Y; ++y)
        inner += tone({innerBR.X, y});
    EXPECT_EQ(outer.find('.'), std::string::npos) << outer;
    EXPECT_NE(outer.find('d'), std::string::npos) << outer;
    EXPECT_NE(outer.find('l'), std::string::npos) << outer;
    EXPECT_EQ(inner.find('.'), std::string::npos) << inner;
    // Between the frames, the outline pixels' own colours.
    const ScreenPoint band = digitize::CellCorner(scene, 200, 200, {40, 28});
    EXPECT_EQ(r.At(band.X + 4, band.Y + 4), digitize::WordFromColour(PatternColour(40, 28)));
    const ScreenPoint inside = digitize::CellCorner(scene, 200, 200, {40, 30});
    EXPECT_EQ(r.At(inside.X + 4, inside.Y + 4), digitize::WordFromColour(PatternColour(40, 30)));
}

// ------------------------------------------------------- zoom and caption

TEST(LoupeMarks, RingThePointsCellInTheSeriesColourOnAHalo) {
    const std::uint32_t red = digitize::WordFromColour(0x0000FF);
    LoupeScene scene{{20, 20}, 8, {}, std::nullopt, 64};
    scene.Points = {{20, 20, 0x0000FF, false}, {-100, -100, 0x00FF00, false}};
    const Render r(Uniform(40, 40, 0), scene, 64, 64);
    // The point's cell has its corner at (28, 28): the ring's centre is (32, 32), radius 8.
    EXPECT_EQ(digitize::LoupeRingRadius(8, false), 8.0);
    for (const ScreenPoint on :
         {ScreenPoint{39, 31}, ScreenPoint{24, 32}, ScreenPoint{31, 24}, ScreenPoint{32, 39}})
        EXPECT_EQ(Hex(r.At(on.X, on.Y)), Hex(red)) << on.X << "," << on.Y;
    EXPECT_EQ(Hex(r.At(41, 31)), Hex(digitize::LoupeLight));        // the halo outside
    EXPECT_EQ(Hex(r.At(38, 31)), Hex(digitize::LoupeLight));        // and inside
    EXPECT_EQ(Hex(r.At(31, 31)), Hex(digitize::WordFromColour(0))); // the cell itself shows
    EXPECT_EQ(Hex(r.At(43, 31)), Hex(digitize::WordFromColour(0))); // beyond the ring
    // Nothing of the point far outside the loupe.
    for (int y = 0; y < r.H; ++y)
        for (int x = 0; x < r.W; ++x)
            ASSERT_NE(r.At(x, y), digitize::WordFromColour(0x00FF00)) << x << "," << y;
}

TEST(LoupeMarks, TheSelectedRingIsLargerWithADarkEdgeAndFractionsMoveIt) {
    LoupeScene scene{{20, 20}, 8, {}, std::nullopt, 64};
    scene.Points = {{20.25F, 20, 0x0000FF, true}};
    const Render r(Uniform(40, 40, digitize::White), scene, 64, 64);
    // Centre (34, 32), radius 11.
    EXPECT_EQ(digitize::LoupeRingRadius(8, true), 11.0);
    EXPECT_EQ(Hex(r.At(45, 31)), Hex(digitize::WordFromColour(0x0000FF)));
    EXPECT_EQ(Hex(r.At(22, 31)), Hex(digitize::WordFromColour(0x0000FF)));
    EXPECT_EQ(Hex(r.At(47, 31)), Hex(digitize::LoupeDark));
    EXPECT_EQ(digitize::LoupeRingRadius(2, false), 5.0);
    EXPECT_EQ(digitize::LoupeRingRadius(16, false), 14.0);
}
} // namespace
