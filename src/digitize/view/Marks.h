// The crosshair's marks: a cross and a box drawn into the picture itself with
// the surface's pen. With an exclusive-or pen, drawing a mark a second time
// at the same place and size restores every pixel it changed.
//
// The cross's arms reach CrossArm pixels left of and above the centre and
// CrossArm - 1 right of and below it (lines leave out their end point); the
// centre pixel lies on both lines, so under exclusive-or it keeps its colour.
// Every pixel of a box outline, corners included, is drawn exactly once.
#pragma once

#include "digitize/calibration/Conversions.h"
#include "digitize/picture/Surface.h"

#include <array>
#include <cstdint>
#include <span>

namespace digitize {

inline constexpr Colour MarkColour = 0x808080;
inline constexpr int CrossArm = 1000;

// A box outline by its corner pixels, both inclusive.
struct Outline {
    std::int64_t Left = 0;
    std::int64_t Top = 0;
    std::int64_t Right = 0;
    std::int64_t Bottom = 0;
    friend bool operator==(const Outline &, const Outline &) = default;
};

// The box of half sizes halfW x halfH around a pixel; negative sizes mirror it.
Outline BoxAround(Point centre, int halfW, int halfH);

// A horizontal or vertical line from (X0, Y0) towards (X1, Y1), the end point
// left out, as Surface::Line draws it.
struct Segment {
    std::int64_t X0 = 0;
    std::int64_t Y0 = 0;
    std::int64_t X1 = 0;
    std::int64_t Y1 = 0;
};

// The lines each mark is drawn with, so that other rules can know which
// pixels a mark touched without drawing it.
std::array<Segment, 2> CrossLines(Point centre);
std::array<Segment, 4> OutlineLines(const Outline &box);

// Each answers the pixels its lines changed, one rectangle a line.
std::array<Rect, 2> DrawCross(Surface &picture, Point centre);
std::array<Rect, 4> DrawOutline(Surface &picture, const Outline &box);

// Draws only the pixels of the lines that lie inside clip (corners inclusive):
// with an exclusive-or pen, the marks come out of that part of the picture
// alone, at the cost of the part rather than of lines a thousand pixels long.
void DrawWithin(Surface &picture, std::span<const Segment> lines, const Outline &clip);

} // namespace digitize
