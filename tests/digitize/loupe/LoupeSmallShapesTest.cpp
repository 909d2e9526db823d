// The loupe's smallest shapes: the inner frame of a box only three pixels
// across, and the line-colour dot wherever a small one fits the cell exactly.
#include "digitize/loupe/Loupe.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using digitize::LoupeScene;
using digitize::ScreenPoint;

TEST(LoupeOverlay, ABoxThreePixelsAcrossKeepsItsInnerFrame) {
    struct Row {
        int halfW;
        int halfH;
    };
    const Row rows[] = {{1, 1}, {1, 3}, {3, 1}, {2, 2}};
    const digitize::Surface picture = digitize::Surface::Blank(80, 60);
    for (const Row &row : rows) {
        const auto box = digitize::BoxAround({40, 30}, row.halfW, row.halfH);
        const LoupeScene scene{{40, 30}, 8, {std::nullopt, box}, std::nullopt, 64};
        std::vector<std::uint32_t> out(200 * 200);
        digitize::RenderLoupe(picture, scene, out, 200, 200);
        const auto framed = [&](ScreenPoint p) {
            const auto w = out.at(static_cast<std::size_t>(p.Y * 200 + p.X));
            return w == digitize::LoupeDark || w == digitize::LoupeLight;
        };
        // The inner frame runs along the band's inner edge, beside the middle pixel.
        const ScreenPoint middle = digitize::CellCorner(scene, 200, 200, {40, 30});
        const ScreenPoint right = digitize::CellCorner(
            scene, 200, 200, {static_cast<std::int32_t>(std::max(box.Left, box.Right)), 30});
        const ScreenPoint bottom = digitize::CellCorner(
            scene, 200, 200, {40, static_cast<std::int32_t>(std::max(box.Top, box.Bottom))});
        const std::string what =
            "half sizes " + std::to_string(row.halfW) + " x " + std::to_string(row.halfH);
        EXPECT_TRUE(framed({right.X, middle.Y + 4})) << what << ": right side";
        EXPECT_TRUE(framed({middle.X + 4, bottom.Y})) << what << ": bottom side";
    }
}

// Exactly centred: as many pixels of the cell on either side of the dot.
TEST(LoupeLineColour, TheDotIsCentredExactlyWhereASmallOneFits) {
    for (const int zoom : digitize::LoupeZooms) {
        const int from = zoom >= digitize::GridZoom ? 1 : 0;
        const int inside = zoom - from;
        bool fits = false; // a dot a third to half the cell across, centred exactly
        for (int side = std::max(1, inside / 3); side <= inside / 2; ++side)
            fits = fits || (inside - side) % 2 == 0;
        if (!fits)
            continue;
        const digitize::Dot dot = digitize::LineColourDot(zoom);
        EXPECT_EQ(2 * (dot.Offset - from) + dot.Side, inside) << "zoom " << zoom;
    }
}

} // namespace
