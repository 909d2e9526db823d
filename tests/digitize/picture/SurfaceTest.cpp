#include "digitize/picture/Surface.h"
#include "digitize/Errors.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace digitize {
inline void PrintTo(const Rect &r, std::ostream *out) {
    *out << "[" << r.Left << "," << r.Top << " .. " << r.Right << "," << r.Bottom << ")";
}
} // namespace digitize

namespace {

using digitize::PenMode;
using digitize::Rect;
using digitize::Surface;

constexpr digitize::Pen XorGrey{0x808080, 1, PenMode::Xor};

// A surface whose every pixel differs, so that any stray change shows.
Surface Pattern(int w, int h) {
    Surface s = Surface::Blank(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            s.Row(y)[x] = digitize::WordFromColour(static_cast<digitize::Colour>(
                ((x * 37 + y * 101) & 0xFF) | ((x * 7) & 0xFF) << 8 | ((y * 13) & 0xFF) << 16));
    return s;
}

bool SamePixels(const Surface &a, const Surface &b) {
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.Pixel(x, y) != b.Pixel(x, y))
                return false;
    return true;
}

TEST(Surface, ReadsColoursAsBgrAndWhiteOutside) {
    Surface s = Surface::Blank(4, 3);
    EXPECT_EQ(s.Pixel(0, 0), 0x00FFFFFFu);
    s.Row(1)[2] = 0xFF112233; // display word: red 0x11, green 0x22, blue 0x33
    EXPECT_EQ(s.Pixel(2, 1), 0x00332211u);
    for (auto [x, y] : {std::pair{-1, 0}, {4, 0}, {0, -1}, {0, 3}, {-100000, 5}})
        EXPECT_EQ(s.Pixel(x, y), digitize::OutsideColour) << x << "," << y;
    EXPECT_EQ(Surface().Pixel(0, 0), digitize::OutsideColour);
}

TEST(Surface, LinesLeaveOutTheEndPointAndSkipPointsOutside) {
    Surface s = Surface::Blank(4, 6);
    s.SetPen({0x000000, 1, PenMode::Copy});
    const Rect changed = s.Line(-5, 3, 5, 3);
    EXPECT_EQ(changed, (Rect{0, 3, 4, 4}));
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(s.Pixel(x, 3), 0u) << x;
    EXPECT_EQ(s.Pixel(0, 2), 0x00FFFFFFu);

    Surface t = Surface::Blank(10, 10);
    t.SetPen({0x000000, 1, PenMode::Copy});
    EXPECT_EQ(t.Line(2, 1, 6, 1), (Rect{2, 1, 6, 2})); // rightwards: 2..5
    EXPECT_EQ(t.Line(6, 4, 2, 4), (Rect{3, 4, 7, 5})); // leftwards: 6..3
    EXPECT_EQ(t.Line(8, 7, 8, 3), (Rect{8, 4, 9, 8})); // upwards: 7..4
    EXPECT_EQ(t.Pixel(6, 1), 0x00FFFFFFu);
    EXPECT_EQ(t.Pixel(2, 4), 0x00FFFFFFu);
    EXPECT_EQ(t.Pixel(8, 3), 0x00FFFFFFu);
    EXPECT_TRUE(t.Line(3, 3, 3, 3).Empty());
    EXPECT_TRUE(t.Line(-2000, -1, 2000, -1).Empty());
    EXPECT_TRUE(t.Line(20, -1000, 20, 1000).Empty());
}

// Lines along and just past the picture's edges, the last row and the last
// column included, change exactly the pixels inside and answer them.
TEST(Surface, LinesAtTheEdgesChangeOnlyPixelsInside) {
    constexpr int W = 7;
    constexpr int H = 5;
    struct Row {
        const char *what;
        int penWidth;
        std::int64_t x0, y0, x1, y1;
        Rect changed;
        int pixels;
    };
    const Row rows[] = {
        {"last row rightwards", 1, -3, H - 1, W + 3, H - 1, {0, H - 1, W, H}, W},
        {"last row leftwards", 1, W + 3, H - 1, -3, H - 1, {0, H - 1, W, H}, W},
        {"last row up to its last pixel", 1, 0, H - 1, W - 1, H - 1, {0, H - 1, W - 1, H}, W - 1},
        {"last column downwards", 1, W - 1, -3, W - 1, H + 3, {W - 1, 0, W, H}, H},
        {"last column upwards", 1, W - 1, H + 3, W - 1, -3, {W - 1, 0, W, H}, H},
        {"first row", 1, W + 3, 0, -3, 0, {0, 0, W, 1}, W},
        {"first column", 1, 0, H + 3, 0, -3, {0, 0, 1, H}, H},
        {"below the last row", 1, -3, H, W + 3, H, {}, 0},
        {"right of the last column", 1, W, -3, W, H + 3, {}, 0},
        {"diagonal into the corner", 1, W - 3, H - 3, W + 2, H + 2, {W - 3, H - 3, W, H}, 3},
        {"wide pen on the last row", 3, -3, H - 1, W + 3, H - 1, {0, H - 2, W, H}, 2 * W},
        {"wide pen on the last column", 3, W - 1, -3, W - 1, H + 3, {W - 2, 0, W, H}, 2 * H},
    };
    for (const Row &row : rows) {
        Surface s = Pattern(W, H);
        const Surface before = Pattern(W, H);
        s.SetPen({0x808080, row.penWidth, PenMode::Xor});
        const Rect changed = s.Line(row.x0, row.y0, row.x1, row.y1);
        EXPECT_EQ(changed, row.changed) << row.what;
        int pixels = 0;
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x)
                if (s.Pixel(x, y) != before.Pixel(x, y)) {
                    ++pixels;
                    EXPECT_TRUE(x >= changed.Left && x < changed.Right && y >= changed.Top &&
                                y < changed.Bottom)
                        << row.what << ": pixel " << x << "," << y << " changed outside";
                }
        EXPECT_EQ(pixels, row.pixels) << row.what;
    }
}

TEST(Surface, ExclusiveOrMovesEachChannelBy128AndTwiceRestores) {
    Surface s = Pattern(16, 9);
    const Surface before = Pattern(16, 9);
    s.SetPen(XorGrey);
    s.Line(-3, 4, 30, 4);
    for (int x = 0; x < 16; ++x) {
        const auto was = before.Pixel(x, 4);
        const auto now = s.Pixel(x, 4);
        for (int shift : {0, 8, 16}) {
            const int a = static_cast<int>((was >> shift) & 0xFF);
            const int b = static_cast<int>((now >> shift) & 0xFF);
            EXPECT_EQ(a > b ? a - b : b - a, 128) << "pixel " << x << " channel " << shift;
        }
    }
    s.Line(-3, 4, 30, 4);
    EXPECT_TRUE(SamePixels(s, before));
}

TEST(Surface, CrossingLinesUnderExclusiveOrKeepTheCrossingPixel) {
    Surface s = Pattern(20, 20);
    const Surface before = Pattern(20, 20);
    s.SetPen(XorGrey);
    s.Line(10 - 1000, 7, 10 + 1000, 7);
    s.Line(10, 7 - 1000, 10, 7 + 1000);
    EXPECT_EQ(s.Pixel(10, 7), before.Pixel(10, 7));
    EXPECT_NE(s.Pixel(11, 7), before.Pixel(11, 7));
    EXPECT_NE(s.Pixel(10, 8), before.Pixel(10, 8));
}

TEST(Surface, AClosedOutlineDrawnTwiceRestoresEveryPixel) {
    Surface s = Pattern(30, 30);
    const Surface before = Pattern(30, 30);
    s.SetPen(XorGrey);
    const auto outline = [&s] {
        s.Line(5, 8, 19, 8);
        s.Line(19, 8, 19, 25);
        s.Line(19, 25, 5, 25);
        s.Line(5, 25, 5, 8);
    };
    outline();
    // Every outline pixel, corners included, is inverted exactly once.
    for (auto [x, y] : {std::pair{5, 8}, {19, 8}, {19, 25}, {5, 25}, {12, 8}, {19, 17}})
        EXPECT_EQ(s.Pixel(x, y) ^ before.Pixel(x, y), 0x808080u) << x << "," << y;
    outline();
    EXPECT_TRUE(SamePixels(s, before));
}

TEST(Surface, GeneralLinesFollowTheirSlope) {
    Surface s = Surface::Blank(10, 10);
    s.SetPen({0x0000FF, 1, PenMode::Copy});
    s.Line(0, 0, 4, 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(s.Pixel(i, i), 0x0000FFu) << i;
    EXPECT_EQ(s.Pixel(4, 4), 0x00FFFFFFu);
}

TEST(Surface, RefusesPicturesOverTheSizeLimitNamingTheirSize) {
    struct Row {
        std::int64_t width, height;
        const char *refusal; // empty: held
    };
    const Row rows[] = {
        {16384, 16384, ""},
        {65535, 4096, ""},
        {4096, 65535, ""},
        {0, 0, ""},
        {65536, 1, "65536 x 1 pixels, more than 65535 pixels a side"},
        {1, 65536, "1 x 65536 pixels, more than 65535 pixels a side"},
        {268435456, 1, "268435456 x 1 pixels, more than 65535 pixels a side"},
        {16384, 16385, "16384 x 16385 pixels, more than 268435456 pixels"},
        {100000, 100000, "100000 x 100000 pixels"},
        {-1, 5, "-1 x 5 pixels is not valid"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(std::to_string(row.width) + " x " + std::to_string(row.height));
        EXPECT_EQ(digitize::WithinPictureLimit(row.width, row.height), *row.refusal == '\0');
        try {
            Surface::CheckSize(row.width, row.height);
            EXPECT_STREQ(row.refusal, "");
        } catch (const digitize::Error &e) {
            EXPECT_NE(*row.refusal, '\0') << e.what();
            EXPECT_NE(std::string(e.what()).find(row.refusal), std::string::npos) << e.what();
        }
    }
    EXPECT_THROW(Surface::Blank(65536, 1), digitize::Error);
    EXPECT_EQ(Surface::Blank(0, 0).Width(), 0);
}

} // namespace
