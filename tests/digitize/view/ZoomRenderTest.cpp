// The zoomed view's pixels: sharp squares when magnified, the mean of each
// block when shrunk, a part drawn alone the same as that part of the whole.
#include "digitize/view/ZoomRender.h"

#include "digitize/Errors.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using digitize::Rect;
using digitize::Surface;
using digitize::Zoom;

Surface Pattern(int w, int h) {
    Surface s = Surface::Uninitialised(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            s.Row(y)[x] = 0xFF000000u | static_cast<std::uint32_t>((x * 37 + y * 11) % 256) << 16 |
                          static_cast<std::uint32_t>((x * 5 + y * 3) % 256) << 8 |
                          static_cast<std::uint32_t>((y * 7 + x) % 256);
    return s;
}

std::vector<std::uint32_t> Draw(const Surface &picture, Zoom z, const Rect &area) {
    std::vector<std::uint32_t> out(
        static_cast<std::size_t>((area.Right - area.Left) * (area.Bottom - area.Top)));
    digitize::RenderZoomed(picture, z, area, out);
    return out;
}

std::uint32_t At(const std::vector<std::uint32_t> &out, const Rect &area, int vx, int vy) {
    return out.at(
        static_cast<std::size_t>((vy - area.Top) * (area.Right - area.Left) + (vx - area.Left)));
}

TEST(RenderZoomed, MagnifiesEachPixelIntoASquareOfItsOwnColour) {
    const Surface picture = Pattern(20, 15);
    const Rect area{5, 7, 37, 29};
    const auto out = Draw(picture, {4, 1}, area);
    for (int vy = area.Top; vy < area.Bottom; ++vy)
        for (int vx = area.Left; vx < area.Right; ++vx)
            ASSERT_EQ(At(out, area, vx, vy), picture.Row(vy / 4)[vx / 4]) << vx << ", " << vy;
}

TEST(RenderZoomed, ShrinksEachBlockToItsRoundedMean) {
    Surface picture = Surface::Blank(8, 8);
    picture.Row(1)[2] = 0xFF000000; // one black pixel in the top-left 4 x 4 block
    for (int x = 0; x < 8; ++x)
        picture.Row(6)[x] = 0xFF0000FF; // a blue line through the lower blocks
    const Rect area{0, 0, 2, 2};
    const auto out = Draw(picture, {1, 4}, area);
    // (15 x 255) / 16 = 239.06; a quarter of the block blue: red and green 191.25.
    EXPECT_EQ(At(out, area, 0, 0), 0xFFEFEFEFu);
    EXPECT_EQ(At(out, area, 1, 0), 0xFFFFFFFFu);
    EXPECT_EQ(At(out, area, 0, 1), 0xFFBFBFFFu);
    EXPECT_EQ(At(out, area, 1, 1), 0xFFBFBFFFu);
}

// Each view pixel against the plain mean (or the single pixel) of what it shows.
TEST(RenderZoomed, MatchesThePixelsEachViewPixelShowsAtEveryZoom) {
    const Surface picture = Pattern(53, 41);
    for (const Zoom z : {Zoom{1, 4}, Zoom{2, 3}, Zoom{173, 1500}, Zoom{1, 6}, Zoom{1, 1},
                         Zoom{3, 1}, Zoom{8, 1}}) {
        const Rect whole{0, 0, static_cast<int>(digitize::ViewLength(53, z)) + 2,
                         static_cast<int>(digitize::ViewLength(41, z)) + 2};
        const auto out = Draw(picture, z, whole);
        for (int vy = whole.Top; vy < whole.Bottom; ++vy)
            for (int vx = whole.Left; vx < whole.Right; ++vx) {
                const auto cols = digitize::PictureSpan(vx, vx + 1, z);
                const auto rows = digitize::PictureSpan(vy, vy + 1, z);
                std::uint64_t sum[3] = {0, 0, 0};
                std::uint64_t count = 0;
                for (auto y = rows.First; y < std::min<std::int64_t>(rows.End, 41); ++y)
                    for (auto x = cols.First;
                         x < (z >= digitize::OneToOne ? cols.First + 1 : cols.End) && x < 53; ++x) {
                        const std::uint32_t w = picture.Row(static_cast<int>(y))[x];
                        for (int c = 0; c < 3; ++c)
                            sum[c] += (w >> (16 - 8 * c)) & 0xFF;
                        ++count;
                    }
                std::uint32_t want = digitize::BeyondPictureWord;
                if (count > 0) {
                    want = 0xFF000000u;
                    for (int c = 0; c < 3; ++c)
                        want |= static_cast<std::uint32_t>((sum[c] + count / 2) / count)
                                << (16 - 8 * c);
                }
                ASSERT_EQ(At(out, whole, vx, vy), want)
                    << z.Num << "/" << z.Den << " at " << vx << ", " << vy;
            }
        // A part drawn alone, as a repaint of a damaged strip draws it.
        const Rect part{whole.Right / 3, whole.Bottom / 4,
                        std::min(whole.Right, whole.Right / 3 + 7),
                        std::min(whole.Bottom, whole.Bottom / 4 + 5)};
        const auto alone = Draw(picture, z, part);
        for (int vy = part.Top; vy < part.Bottom; ++vy)
            for (int vx = part.Left; vx < part.Right; ++vx)
                ASSERT_EQ(At(alone, part, vx, vy), At(out, whole, vx, vy))
                    << z.Num << "/" << z.Den << " part at " << vx << ", " << vy;
    }
}

TEST(RenderZoomed, RefusesABufferSmallerThanThePart) {
    const Surface picture = Pattern(4, 4);
    std::vector<std::uint32_t> out(15);
    EXPECT_THROW(digitize::RenderZoomed(picture, {2, 1}, {0, 0, 4, 4}, out), digitize::Error);
    EXPECT_NO_THROW(digitize::RenderZoomed(picture, {2, 1}, {3, 3, 3, 9}, out));
}

} // namespace
