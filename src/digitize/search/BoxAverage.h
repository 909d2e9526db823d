// The box around the crosshair and the centre-weighted average row of the
// curve's pixels inside it.
//
// The box spans columns cx-HalfW..cx+HalfW and rows cy-HalfH..cy+HalfH,
// inclusive; a negative half width gives no columns. Pixels outside the
// picture read as OutsideColour (white) and are never touched in memory.
#pragma once

#include "digitize/picture/Surface.h"

#include <cstdint>
#include <optional>

namespace digitize {

struct Box {
    int HalfW = 15;
    int HalfH = 15;
};

// 6 * HalfW - |cx - x| - |cy - y|: the centre weighs most, and weights can be
// zero or negative far from it (they are used as they are).
constexpr std::int64_t BoxWeight(std::int64_t cx, std::int64_t cy, std::int64_t x, std::int64_t y,
                                 int halfW) {
    const auto dx = cx > x ? cx - x : x - cx;
    const auto dy = cy > y ? cy - y : y - cy;
    return 6 * std::int64_t{halfW} - dx - dy;
}

// The weighted mean row of the pixels near lineColour in the box centred on
// (cx, cy): columns outer, rows inner, sums kept as 32-bit floats. Nothing
// when the total weight is not above zero.
std::optional<float> BoxAverageRow(const Surface &picture, std::int64_t cx, std::int64_t cy,
                                   Box box, Colour lineColour, int tolerance);

} // namespace digitize
