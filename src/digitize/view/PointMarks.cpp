#include "digitize/view/PointMarks.h"

#include "digitize/calibration/Rounding.h"

#include <algorithm>
#include <cmath>

namespace digitize {

ViewPoint MarkCentre(float X, float Y, Zoom zoom) {
    const double z = zoom.Factor();
    return {(double{X} + 0.5) * z, (double{Y} + 0.5) * z};
}

Rect MarkBounds(ViewPoint centre, const RingStyle &style) {
    // Half the line, the halo, and one pixel that antialiasing may shade.
    const double reach = style.Radius + style.Line / 2 + style.Halo + 1;
    return {static_cast<int>(std::floor(centre.X - reach)),
            static_cast<int>(std::floor(centre.Y - reach)),
            static_cast<int>(std::ceil(centre.X + reach)) + 1,
            static_cast<int>(std::ceil(centre.Y + reach)) + 1};
}

std::vector<Rect> MarksDamage(std::span<const RecordedPoint> points, Zoom zoom,
                              const RingStyle &style, std::size_t maxRects) {
    std::vector<Rect> rects;
    if (points.empty() || maxRects == 0)
        return rects;
    const std::size_t run = (points.size() + maxRects - 1) / maxRects;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const Rect r = MarkBounds(MarkCentre(points[i].X, points[i].Y, zoom), style);
        if (i % run == 0) {
            rects.push_back(r);
            continue;
        }
        Rect &all = rects.back();
        all = {std::min(all.Left, r.Left), std::min(all.Top, r.Top), std::max(all.Right, r.Right),
               std::max(all.Bottom, r.Bottom)};
    }
    return rects;
}

std::optional<MarkRef> MarkUnder(std::span<const Series> series, Zoom zoom, ViewPoint at) {
    std::optional<MarkRef> best;
    double bestDistance = MarkHitRadius * MarkHitRadius;
    for (std::size_t s = 0; s < series.size(); ++s) {
        const auto &points = series[s].Points;
        for (std::size_t i = 0; i < points.size(); ++i) {
            const ViewPoint c = MarkCentre(points[i].X, points[i].Y, zoom);
            const double distance = (c.X - at.X) * (c.X - at.X) + (c.Y - at.Y) * (c.Y - at.Y);
            if (distance <= bestDistance) {
                bestDistance = distance;
                best = MarkRef{static_cast<int>(s), static_cast<int>(i)};
            }
        }
    }
    return best;
}

std::vector<PointMark> MarksWithin(std::span<const Series> series, const Rect &pixels, int margin,
                                   std::optional<MarkRef> selected) {
    std::vector<PointMark> marks;
    const std::int64_t left = std::int64_t{pixels.Left} - margin;
    const std::int64_t top = std::int64_t{pixels.Top} - margin;
    const std::int64_t right = std::int64_t{pixels.Right} + margin;
    const std::int64_t bottom = std::int64_t{pixels.Bottom} + margin;
    for (std::size_t s = 0; s < series.size(); ++s) {
        const auto &points = series[s].Points;
        for (std::size_t i = 0; i < points.size(); ++i) {
            const std::int64_t x = Round(points[i].X);
            const std::int64_t y = Round(points[i].Y);
            if (x < left || x >= right || y < top || y >= bottom)
                continue;
            const bool chosen =
                selected && *selected == MarkRef{static_cast<int>(s), static_cast<int>(i)};
            marks.push_back({points[i].X, points[i].Y, series[s].MarkColour, chosen});
        }
    }
    return marks;
}

} // namespace digitize
