// The marks of the recorded points over the zoomed view: where each stands,
// the view pixels it covers, and which one a click is on.
//
// A point recorded at picture position (X, Y) (fractions kept) marks the
// middle of the pixel it rounds to, moved by its fractions: its centre is at
// view position ((X + 0.5) z, (Y + 0.5) z), so a sub-pixel row shows at high
// zoom. A mark is a ring in its series' colour on a light halo, of the same
// size in view pixels at every zoom; the selected one is larger and thicker.
#pragma once

#include "digitize/picture/Surface.h"
#include "digitize/record/Series.h"
#include "digitize/view/Zoom.h"

#include <optional>
#include <span>
#include <vector>

namespace digitize {

// A position in view pixels, fractions kept.
struct ViewPoint {
    double X = 0;
    double Y = 0;
};

// A ring: radius to the middle of its line, its line's width, and the width
// of the light halo on each side of the line.
struct RingStyle {
    double Radius = 0;
    double Line = 0;
    double Halo = 0;
};
inline constexpr RingStyle PlainRing{4.5, 2.0, 1.0};
inline constexpr RingStyle SelectedRing{8.0, 3.0, 1.5};

// A click this close to a mark's centre (view pixels) is on it.
inline constexpr double MarkHitRadius = 7.0;

// A point by its series and its place in the series.
struct MarkRef {
    int Series = 0;
    int Index = 0;
    friend bool operator==(const MarkRef &, const MarkRef &) = default;
};

ViewPoint MarkCentre(float X, float Y, Zoom zoom);

// Every view pixel the ring can touch, antialiasing included.
Rect MarkBounds(ViewPoint centre, const RingStyle &style);

// The view pixels to repaint for the marks of these points: each mark's
// bounds while there are at most maxRects points, else the bounds of runs of
// consecutive points (neighbours along a curve), at most maxRects of them.
std::vector<Rect> MarksDamage(std::span<const RecordedPoint> points, Zoom zoom,
                              const RingStyle &style, std::size_t maxRects);

// The mark whose centre is nearest the position and within MarkHitRadius;
// of marks at the same distance, the one drawn last (on top).
std::optional<MarkRef> MarkUnder(std::span<const Series> series, Zoom zoom, ViewPoint at);

// A mark to draw with the picture around a pixel (the loupe).
struct PointMark {
    float X = 0;
    float Y = 0;
    Colour MarkColour = 0;
    bool Selected = false;
    friend bool operator==(const PointMark &, const PointMark &) = default;
};

// The marks of the points whose pixels lie within `pixels` widened by
// `margin` on every side, in drawing order (series by series, each in the
// order recorded).
std::vector<PointMark> MarksWithin(std::span<const Series> series, const Rect &pixels, int margin,
                                   std::optional<MarkRef> selected);

} // namespace digitize
