// The loupe's render: cells standing for the picture's pixels, the outside
// of the picture, the line colour's dots, the zoom steps and the caption.
#include "LoupePictures.h"

#include <gtest/gtest.h>

namespace {

using namespace loupetest;

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
