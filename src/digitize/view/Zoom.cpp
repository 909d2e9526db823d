#include "digitize/view/Zoom.h"

#include "digitize/Errors.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numeric>

namespace digitize {
namespace {

// Num and Den stay within 2^31, so a product with a coordinate of up to 2^31
// stays within int64.
constexpr std::int64_t Largest = std::int64_t{1} << 31;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}

std::int64_t CeilDiv(std::int64_t a, std::int64_t b) {
    return -FloorDiv(-a, b);
}

std::int64_t Clamp(std::int64_t v) {
    return std::clamp(v, -Largest, Largest);
}

int SaturateInt(std::int64_t v) {
    return static_cast<int>(std::clamp<std::int64_t>(v, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

// Above one to one only whole zooms, so each picture pixel is a square.
constexpr std::array<Zoom, 12> Levels = {Zoom{1, 8}, Zoom{1, 6}, Zoom{1, 4}, Zoom{1, 3},
                                         Zoom{1, 2}, Zoom{2, 3}, Zoom{1, 1}, Zoom{2, 1},
                                         Zoom{3, 1}, Zoom{4, 1}, Zoom{6, 1}, Zoom{8, 1}};

} // namespace

Zoom MakeZoom(std::int64_t num, std::int64_t den) {
    if (num <= 0 || den <= 0 || num > Largest || den > Largest)
        throw Error("A zoom must be a fraction of two positive whole numbers up to 2^31");
    const std::int64_t g = std::gcd(num, den);
    return {num / g, den / g};
}

Zoom FitZoom(int w, int h, int viewW, int viewH) {
    if (w <= 0 || h <= 0 || viewW <= 0 || viewH <= 0)
        return OneToOne;
    // The narrower of the two ratios.
    Zoom fit = MakeZoom(viewW, w);
    if (const Zoom down = MakeZoom(viewH, h); down < fit)
        fit = down;
    if (fit >= OneToOne)
        fit = {fit.Num / fit.Den, 1};
    return std::min(fit, MaxZoom);
}

std::vector<Zoom> ZoomStops(Zoom fit) {
    const Zoom least = std::min(fit, OneToOne);
    std::vector<Zoom> stops;
    for (const Zoom &level : Levels)
        if (level >= least && level <= MaxZoom)
            stops.push_back(level);
    if (fit >= least && fit <= MaxZoom && std::find(stops.begin(), stops.end(), fit) == stops.end())
        stops.insert(std::lower_bound(stops.begin(), stops.end(), fit), fit);
    return stops;
}

Zoom NextZoom(Zoom zoom, int steps, Zoom fit) {
    if (steps == 0)
        return zoom;
    const std::vector<Zoom> stops = ZoomStops(fit);
    const auto at = std::lower_bound(stops.begin(), stops.end(), zoom);
    std::int64_t place = at - stops.begin();
    // Between two stops, one step up is the next stop above.
    if ((at == stops.end() || *at != zoom) && steps > 0)
        --place;
    const auto last = static_cast<std::int64_t>(stops.size()) - 1;
    return stops[static_cast<std::size_t>(std::clamp<std::int64_t>(place + steps, 0, last))];
}

Extent ViewSpan(std::int64_t first, std::int64_t end, Zoom zoom) {
    if (end <= first)
        return {};
    first = Clamp(first);
    end = Clamp(end);
    const std::int64_t viewEnd = CeilDiv(end * zoom.Num, zoom.Den);
    if (zoom >= OneToOne)
        return {CeilDiv(first * zoom.Num, zoom.Den), viewEnd};
    // The view pixel whose pixels [floor(v / z), floor((v + 1) / z)) hold first.
    return {CeilDiv((first + 1) * zoom.Num, zoom.Den) - 1, viewEnd};
}

Extent PictureSpan(std::int64_t first, std::int64_t end, Zoom zoom) {
    if (end <= first)
        return {};
    first = Clamp(first);
    end = Clamp(end);
    const std::int64_t pictureFirst = FloorDiv(first * zoom.Den, zoom.Num);
    if (zoom >= OneToOne)
        return {pictureFirst, FloorDiv((end - 1) * zoom.Den, zoom.Num) + 1};
    return {pictureFirst, FloorDiv(end * zoom.Den, zoom.Num)};
}

Rect ViewRect(const Rect &picture, Zoom zoom) {
    if (picture.Empty())
        return {};
    const Extent across = ViewSpan(picture.Left, picture.Right, zoom);
    const Extent down = ViewSpan(picture.Top, picture.Bottom, zoom);
    return {SaturateInt(across.First), SaturateInt(down.First), SaturateInt(across.End),
            SaturateInt(down.End)};
}

std::int64_t ViewLength(std::int64_t length, Zoom zoom) {
    return length <= 0 ? 0 : CeilDiv(Clamp(length) * zoom.Num, zoom.Den);
}

std::int32_t PixelUnder(double position, Zoom zoom) {
    const long double picture =
        std::floor(static_cast<long double>(position) * static_cast<long double>(zoom.Den) /
                   static_cast<long double>(zoom.Num));
    if (!(picture >= std::numeric_limits<std::int32_t>::min()))
        return std::numeric_limits<std::int32_t>::min();
    if (picture > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(picture);
}

std::int64_t AnchoredOffset(std::int64_t offset, double at, Zoom from, Zoom to) {
    const long double content = static_cast<long double>(offset) + at;
    const long double scaled = content * static_cast<long double>(to.Num * from.Den) /
                               static_cast<long double>(to.Den * from.Num);
    return std::llround(scaled - at);
}

std::string ZoomText(Zoom zoom, bool fit) {
    // Rounded half up, as a percentage.
    const std::int64_t percent =
        std::max<std::int64_t>(1, (200 * zoom.Num + zoom.Den) / (2 * zoom.Den));
    return "Zoom " + std::to_string(percent) + "%" + (fit ? " (fit)" : "");
}

} // namespace digitize
