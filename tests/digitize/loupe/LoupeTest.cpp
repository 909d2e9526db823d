#include "digitize/loupe/Loupe.h"

#include "digitize/Errors.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using digitize::Colour;
using digitize::DrawnMarks;
using digitize::LoupeScene;
using digitize::Point;
using digitize::ScreenPoint;
using digitize::Surface;

// Every pixel a different colour, none of them the same as a neighbour's.
Colour PatternColour(std::int64_t x, std::int64_t y) {
    return static_cast<Colour>(((x * 37 + y * 11) % 256) | (((x * 5 + y * 3) % 256) << 8) |
                               (((y * 7 + x) % 256) << 16));
}

Surface Pattern(int w, int h) {
    Surface s = Surface::Uninitialised(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            s.Row(y)[x] = digitize::WordFromColour(PatternColour(x, y));
    return s;
}

Surface Uniform(int w, int h, Colour c) {
    Surface s = Surface::Uninitialised(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            s.Row(y)[x] = digitize::WordFromColour(c);
    return s;
}

void DrawMarks(Surface &picture, const DrawnMarks &marks) {
    picture.SetPen({digitize::MarkColour, 1, digitize::PenMode::Xor});
    if (marks.Cross)
        digitize::DrawCross(picture, *marks.Cross);
    if (marks.Box)
        digitize::DrawOutline(picture, *marks.Box);
}

struct Render {
    int W;
    int H;
    std::vector<std::uint32_t> out;
    Render(const Surface &picture, const LoupeScene &scene, int w, int h)
        : W(w), H(h), out(static_cast<std::size_t>(w * h)) {
        digitize::RenderLoupe(picture, scene, out, w, h);
    }
    std::uint32_t At(std::int64_t x, std::int64_t y) const {
        return out.at(static_cast<std::size_t>(y * W + x));
    }
};

std::string Hex(std::uint32_t v) {
    char text[16];
    std::snprintf(text, sizeof text, "%08X", v);
    return text;
}

// ------------------------------------------------------------- mark parity

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

struct CellRow {
    int zoom;
    ScreenPoint screen;
    Point pixel; // relative to the centre
};

TEST(LoupeCells, EachScreenPixelShowsThePictureItsCellStandsFor) {
    // 200 x 200 screen around (100, 80): the centre cell starts at (200 - zoom) / 2.
    const CellRow rows[] = {
        {2, {99, 99}, {0, 0}},     {2, {100, 100}, {0, 0}}, {2, {101, 99}, {1, 0}},
        {2, {98, 99}, {-1, 0}},    {2, {0, 0}, {-50, -50}}, {2, {199, 199}, {50, 50}},
        {8, {97, 97}, {0, 0}},     {8, {103, 103}, {0, 0}}, {8, {105, 97}, {1, 0}},
        {8, {95, 97}, {-1, 0}},    {8, {97, 89}, {0, -1}},  {8, {1, 1}, {-12, -12}},
        {8, {199, 199}, {12, 12}}, {16, {93, 93}, {0, 0}},  {16, {107, 107}, {0, 0}},
        {16, {109, 93}, {1, 0}},   {16, {91, 93}, {-1, 0}}, {16, {1, 1}, {-6, -6}},
        {16, {199, 199}, {6, 6}},  {16, {93, 199}, {0, 6}},
    };
    const Point centre{100, 80};
    const Surface picture = Pattern(300, 200);
    for (const auto &row : rows) {
        const LoupeScene scene{centre, row.zoom, {}, std::nullopt, 64};
        const Render r(picture, scene, 200, 200);
        const Point want{centre.X + row.pixel.X, centre.Y + row.pixel.Y};
        const auto where = "zoom " + std::to_string(row.zoom) + " at " +
                           std::to_string(row.screen.X) + "," + std::to_string(row.screen.Y);
        EXPECT_EQ(digitize::PixelOnScreen(scene, 200, 200, row.screen), want) << where;
        EXPECT_EQ(Hex(r.At(row.screen.X, row.screen.Y)),
                  Hex(digitize::WordFromColour(PatternColour(want.X, want.Y))))
            << where;
    }
}

TEST(LoupeCells, EveryCellIsOneColourApartFromItsGrid) {
    const Surface picture = Pattern(300, 200);
    for (int zoom : digitize::LoupeZooms) {
        const LoupeScene scene{{150, 100}, zoom, {}, std::nullopt, 64};
        const Render r(picture, scene, 121, 97);
        const bool grid = zoom >= digitize::GridZoom;
        int gridPixels = 0;
        for (int y = 0; y < r.H; ++y)
            for (int x = 0; x < r.W; ++x) {
                const Point p = digitize::PixelOnScreen(scene, r.W, r.H, {x, y});
                const ScreenPoint corner = digitize::CellCorner(scene, r.W, r.H, p);
                ASSERT_TRUE(x >= corner.X && x < corner.X + zoom && y >= corner.Y &&
                            y < corner.Y + zoom)
                    << "zoom " << zoom << ": " << x << "," << y << " not in its cell";
                const std::uint32_t cell = digitize::WordFromColour(PatternColour(p.X, p.Y));
                const bool onGrid = grid && (x == corner.X || y == corner.Y);
                gridPixels += onGrid;
                if (onGrid)
                    ASSERT_NE(r.At(x, y), cell) << "zoom " << zoom << ": grid at " << x << "," << y;
                else
                    ASSERT_EQ(Hex(r.At(x, y)), Hex(cell))
                        << "zoom " << zoom << " at " << x << "," << y << " (pixel " << p.X << ","
                        << p.Y << ")";
            }
        EXPECT_EQ(gridPixels > 0, grid) << "zoom " << zoom;
    }
}

TEST(LoupeCells, TheGridShowsOnWhiteAndOnBlack) {
    for (Colour c : {digitize::White, Colour{0}}) {
        const Render r(Uniform(40, 40, c), {{20, 20}, 8, {}, std::nullopt, 64}, 64, 64);
        const ScreenPoint corner{28, 28};
        EXPECT_NE(r.At(corner.X, corner.Y + 3), digitize::WordFromColour(c)) << Hex(c);
        EXPECT_EQ(r.At(corner.X + 3, corner.Y + 3), digitize::WordFromColour(c)) << Hex(c);
    }
}

// ---------------------------------------------------------- picture edges

struct EdgeRow {
    const char *what;
    Point centre;
    ScreenPoint screen;
    bool inside;
};

TEST(LoupeEdges, PointsOutsideThePictureShowTheOutsidePattern) {
    // A 30 x 20 picture, zoom 8 in 200 x 200: the centre cell starts at (96, 96).
    const EdgeRow rows[] = {
        {"top-left pixel", {0, 0}, {97, 97}, true},
        {"left of the top-left pixel", {0, 0}, {95, 97}, false},
        {"above the top-left pixel", {0, 0}, {97, 95}, false},
        {"bottom-right pixel", {29, 19}, {103, 103}, true},
        {"right of the bottom-right pixel", {29, 19}, {105, 97}, false},
        {"below the bottom-right pixel", {29, 19}, {97, 105}, false},
        {"centre outside, picture in view", {-5, 10}, {97 + 5 * 8, 97}, true},
        {"centre far outside", {5000, -5000}, {97, 97}, false},
    };
    const Surface picture = Pattern(30, 20);
    for (const auto &row : rows) {
        // A white line colour would match OutsideColour: outside cells still get no dot.
        const LoupeScene scene{row.centre, 8, {}, digitize::White, 255};
        const Render r(picture, scene, 200, 200);
        const std::uint32_t seen = r.At(row.screen.X, row.screen.Y);
        const bool outsideTone = seen == digitize::OutsideLight || seen == digitize::OutsideDark;
        EXPECT_EQ(!outsideTone, row.inside) << row.what << ": " << Hex(seen);
        if (!row.inside) {
            // The whole cell, all four corners, in the pattern's tones.
            const ScreenPoint c = digitize::CellCorner(
                scene, 200, 200, digitize::PixelOnScreen(scene, 200, 200, row.screen));
            for (ScreenPoint p : {c, ScreenPoint{c.X + 7, c.Y}, ScreenPoint{c.X, c.Y + 7},
                                  ScreenPoint{c.X + 7, c.Y + 7}}) {
                const auto word = r.At(p.X, p.Y);
                EXPECT_TRUE(word == digitize::OutsideLight || word == digitize::OutsideDark)
                    << row.what << " at " << p.X << "," << p.Y << ": " << Hex(word);
            }
        }
    }
}

TEST(LoupeEdges, AnEmptyPictureIsAllOutside) {
    const Render r(Surface(), {{0, 0}, 4, {Point{0, 0}, std::nullopt}, std::nullopt, 64}, 20, 20);
    int light = 0;
    int dark = 0;
    for (std::uint32_t w : r.out) {
        light += w == digitize::OutsideLight;
        dark += w == digitize::OutsideDark || w == digitize::LoupeDark ||
                w == digitize::LoupeLight; // the crosshair frame
    }
    EXPECT_GT(light, 0);
    EXPECT_EQ(light + dark, 400);
}

// ------------------------------------------------------- line colour dots

TEST(LoupeLineColour, CellsWithinTheToleranceGetADotAndNoOthers) {
    // A dark navy picture; a few pixels near the line colour, at the tolerance's edge and past it.
    constexpr Colour Line = 0x306090; // 0x00BBGGRR
    constexpr Colour Ground = 0x402010;
    struct Row {
        const char *what;
        Colour colour;
        bool dot;
    };
    const Row rows[] = {
        {"the line colour", Line, true},
        {"red 20 off", Line + 20, true},
        {"blue exactly 30 off", Line - (30u << 16), true},
        {"green 31 off", Line + (31u << 8), false},
        {"the background", Ground, false},
    };
    for (int zoom : digitize::LoupeZooms) {
        for (const auto &row : rows) {
            Surface picture = Uniform(20, 20, Ground);
            picture.Row(10)[10] = digitize::WordFromColour(row.colour);
            const LoupeScene scene{{10, 10}, zoom, {}, Line, 30};
            const Render r(picture, scene, 100, 100);
            const ScreenPoint c = digitize::CellCorner(scene, 100, 100, {10, 10});
            const digitize::Dot dot = digitize::LineColourDot(zoom);
            const std::uint32_t word = digitize::WordFromColour(row.colour);
            int dotPixels = 0;
            int cellPixels = 0;
            const int from = zoom >= digitize::GridZoom ? 1 : 0;
            for (int y = from; y < zoom; ++y)
                for (int x = from; x < zoom; ++x) {
                    const auto seen = r.At(c.X + x, c.Y + y);
                    const bool inDot = x >= dot.Offset && x < dot.Offset + dot.Side &&
                                       y >= dot.Offset && y < dot.Offset + dot.Side;
                    dotPixels += inDot && seen != word;
                    cellPixels += !inDot && seen == word;
                }
            const auto where = std::string(row.what) + ", zoom " + std::to_string(zoom);
            EXPECT_EQ(dotPixels, row.dot ? dot.Side * dot.Side : 0) << where;
            // The colour itself still shows around the dot.
            EXPECT_EQ(cellPixels, (zoom - from) * (zoom - from) - dot.Side * dot.Side) << where;
            EXPECT_LE(dot.Side * dot.Side * 2, (zoom - from) * (zoom - from)) << where;
            // At least a third of the cell across, and centred in it to a pixel.
            EXPECT_GE(dot.Side, (zoom - from) / 3) << where;
            EXPECT_LE(std::abs(2 * (dot.Offset - from) + dot.Side - (zoom - from)), 1) << where;
            if (row.dot) {
                EXPECT_EQ(r.At(c.X + dot.Offset, c.Y + dot.Offset), digitize::LoupeLight)
                    << where << ": a dark cell gets a light dot";
            }
        }
    }
}

TEST(LoupeLineColour, NoDotsWithoutALineColour) {
    const Surface picture = Uniform(20, 20, 0x3070C0);
    const Render r(picture, {{10, 10}, 8, {}, std::nullopt, 64}, 50, 50);
    const std::uint32_t word = digitize::WordFromColour(0x3070C0);
    // Away from the grid every pixel is the picture's.
    EXPECT_EQ(r.At(21 + 4, 21 + 4), word);
    EXPECT_EQ(r.At(21 + 3, 21 + 3), word);
}

// ------------------------------------------------- marks shown, not drawn

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

TEST(LoupeZoom, StepsMoveAlongTheListAndStopAtItsEnds) {
    struct Row {
        int zoom;
        int steps;
        int want;
    };
    const Row rows[] = {{8, 1, 12}, {8, -1, 6}, {8, 0, 8},    {16, 1, 16}, {2, -3, 2}, {2, 6, 16},
                        {3, 1, 4},  {7, 0, 6},  {100, 0, 16}, {0, 0, 2},   {6, 2, 12}, {12, -5, 2}};
    for (const auto &row : rows)
        EXPECT_EQ(digitize::StepZoom(row.zoom, row.steps), row.want)
            << row.zoom << " by " << row.steps;
}

// ------------------------------------------------------ recorded points

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

TEST(LoupeText, NamesThePixelAndItsOwnColour) {
    const DrawnMarks marks{Point{3, 2}, std::nullopt};
    Surface picture = Uniform(10, 8, 0xAA2814); // R 20 G 40 B 170
    DrawMarks(picture, marks);
    EXPECT_EQ(digitize::PixelText({5, 2}, picture, marks), "X 5  Y 2   R 20 G 40 B 170");
    EXPECT_EQ(digitize::PixelText({3, 2}, picture, marks), "X 3  Y 2   R 20 G 40 B 170");
    EXPECT_EQ(digitize::PixelText({-3, 5}, picture, marks), "X -3  Y 5   outside the picture");
    EXPECT_EQ(digitize::PixelText({10, 0}, picture, marks), "X 10  Y 0   outside the picture");
}

TEST(LoupeRender, RefusesABufferSmallerThanTheLoupeOrAZoomBelowOne) {
    std::vector<std::uint32_t> out(99);
    const Surface picture = Pattern(4, 4);
    EXPECT_THROW(digitize::RenderLoupe(picture, {{0, 0}, 8, {}, std::nullopt, 64}, out, 10, 10),
                 digitize::Error);
    EXPECT_THROW(digitize::RenderLoupe(picture, {{0, 0}, 0, {}, std::nullopt, 64}, out, 9, 9),
                 digitize::Error);
    EXPECT_NO_THROW(digitize::RenderLoupe(picture, {{0, 0}, 8, {}, std::nullopt, 64}, out, 0, 5));
}

} // namespace
