// The image window's zoom: an exact fraction by which the view scales the
// picture, the stops Ctrl+plus and Ctrl+minus go through, and the mapping
// between picture pixels and view pixels.
//
// Positions as in Surface.h: (0, 0) top-left, y downwards, in picture pixels
// or in view pixels (the scaled picture's own, before scrolling). A view
// position v lies over picture position v / zoom; the picture pixel under it
// is floor(v / zoom). From one to one up, picture pixel p is the cell of view
// pixels [ceil(p z), ceil((p + 1) z)), drawn by nearest neighbour; below one
// to one, view pixel v shows the picture pixels [floor(v / z), floor((v + 1)
// / z)), averaged, so every picture pixel is in exactly one view pixel and a
// click on that view pixel lands on the first of them.
#pragma once

#include "digitize/picture/Surface.h"

#include <compare>
#include <cstdint>
#include <string>
#include <vector>

namespace digitize {

// Num / Den, both positive, in lowest terms when made by MakeZoom.
struct Zoom {
    std::int64_t Num = 1;
    std::int64_t Den = 1;
    double Factor() const { return static_cast<double>(Num) / static_cast<double>(Den); }
    friend bool operator==(const Zoom &a, const Zoom &b) { return a.Num * b.Den == b.Num * a.Den; }
    friend std::strong_ordering operator<=>(const Zoom &a, const Zoom &b) {
        return a.Num * b.Den <=> b.Num * a.Den;
    }
};

// Throws Error unless both are positive.
Zoom MakeZoom(std::int64_t num, std::int64_t den);

inline constexpr Zoom OneToOne{1, 1};
inline constexpr Zoom MaxZoom{8, 1};

// The zoom at which the whole w x h picture fits a view of viewW x viewH:
// min(viewW / w, viewH / h), rounded down to a whole number from one to one
// up (every pixel then a square of whole view pixels), at most MaxZoom.
// OneToOne when the picture or the view has no size.
Zoom FitZoom(int w, int h, int viewW, int viewH);

// Where Ctrl+plus and Ctrl+minus stop, least first: the fit, and the fixed
// levels from 1/8 to 8 that lie between the lesser of the fit and one to
// one and MaxZoom.
std::vector<Zoom> ZoomStops(Zoom fit);

// The stop `steps` places from the zoom (positive steps magnify), held at
// the first and last stop; a zoom between stops counts as its own place.
Zoom NextZoom(Zoom zoom, int steps, Zoom fit);

// The view pixels showing picture pixels [first, end) on one axis, as
// [First, End); empty for an empty range.
struct Extent {
    std::int64_t First = 0;
    std::int64_t End = 0;
    friend bool operator==(const Extent &, const Extent &) = default;
};
Extent ViewSpan(std::int64_t first, std::int64_t end, Zoom zoom);
// The picture pixels that view pixels [first, end) show.
Extent PictureSpan(std::int64_t first, std::int64_t end, Zoom zoom);
// Both axes; coordinates beyond int saturate.
Rect ViewRect(const Rect &picture, Zoom zoom);

// The view length of a picture length: ceil(length x zoom).
std::int64_t ViewLength(std::int64_t length, Zoom zoom);

// The picture pixel under a view position: floor(position / zoom),
// saturated to int32.
std::int32_t PixelUnder(double position, Zoom zoom);

// The scroll offset that keeps the picture position under `at` (a position
// in the visible part, measured from its edge) where it is when the zoom
// changes from `from` to `to`; the caller clamps it to the scroll range.
std::int64_t AnchoredOffset(std::int64_t offset, double at, Zoom from, Zoom to);

// "Zoom 400%", "Zoom 67%", "Zoom 25% (fit)": the percentage rounded, at
// least 1.
std::string ZoomText(Zoom zoom, bool fit);

} // namespace digitize
