#include "digitize/placement/WindowPlacement.h"

#include <algorithm>
#include <cstdlib>
#include <tuple>
#include <vector>

namespace digitize {
namespace {

Area Intersection(const Area &a, const Area &b) {
    const int left = std::max(a.Left, b.Left);
    const int top = std::max(a.Top, b.Top);
    const int right = std::min(a.Right(), b.Right());
    const int bottom = std::min(a.Bottom(), b.Bottom());
    if (right <= left || bottom <= top)
        return {};
    return {left, top, right - left, bottom - top};
}

// Which side of the anchor a place is on, in the order they are preferred,
// and how far it lies from that side's preferred spot.
std::tuple<int, std::int64_t> SideAndDistance(const Area &place, const Area &anchor) {
    const auto far = [](std::int64_t dx, std::int64_t dy) { return std::abs(dx) + std::abs(dy); };
    if (place.Left >= anchor.Right())
        return {0, far(place.Left - anchor.Right(), place.Top - anchor.Top)};
    if (place.Right() <= anchor.Left)
        return {1, far(place.Right() - anchor.Left, place.Top - anchor.Top)};
    if (place.Top >= anchor.Bottom())
        return {2, far(place.Left - anchor.Left, place.Top - anchor.Bottom())};
    if (place.Bottom() <= anchor.Top)
        return {3, far(place.Left - anchor.Left, place.Bottom() - anchor.Top)};
    return {4, far(place.Left - anchor.Right(), place.Top - anchor.Top)};
}

} // namespace

std::int64_t OverlapArea(const Area &a, const Area &b) {
    const Area shared = Intersection(a, b);
    return std::int64_t{shared.Width} * shared.Height;
}

Area FitOnScreen(const Area &frame, const Area &screen) {
    const int width = std::min(frame.Width, screen.Width);
    const int height = std::min(frame.Height, screen.Height);
    return {std::clamp(frame.Left, screen.Left, screen.Right() - width),
            std::clamp(frame.Top, screen.Top, screen.Bottom() - height), width, height};
}

std::optional<std::size_t> ScreenShowing(const Area &frame, std::span<const Area> screens) {
    const Area strip{frame.Left, frame.Top, frame.Width, std::min(TitleStrip, frame.Height)};
    std::optional<std::size_t> best;
    std::int64_t bestArea = 0;
    for (std::size_t i = 0; i < screens.size(); ++i) {
        const Area shown = Intersection(strip, screens[i]);
        const std::int64_t area = std::int64_t{shown.Width} * shown.Height;
        if (shown.Width >= TitleGrip && area > bestArea) {
            best = i;
            bestArea = area;
        }
    }
    return best;
}

Area PlaceBeside(Size frame, const Area &anchor, std::span<const Area> others, const Area &screen) {
    const int w = std::min(frame.Width, screen.Width);
    const int h = std::min(frame.Height, screen.Height);
    // Places touch an edge of the anchor, of another window or of the screen.
    std::vector<int> xs{anchor.Right(), anchor.Left - w, anchor.Left, screen.Left,
                        screen.Right() - w};
    std::vector<int> ys{anchor.Top,          anchor.Bottom(), anchor.Top - h,
                        anchor.Bottom() - h, screen.Top,      screen.Bottom() - h};
    for (const Area &other : others) {
        xs.insert(xs.end(), {other.Right(), other.Left - w});
        ys.insert(ys.end(), {other.Bottom(), other.Top - h});
    }
    Area best;
    std::tuple<std::int64_t, std::int64_t, int, std::int64_t> bestCost{-1, 0, 0, 0};
    for (const int x : xs)
        for (const int y : ys) {
            const Area place = FitOnScreen({x, y, w, h}, screen);
            std::int64_t covered = 0;
            for (const Area &other : others)
                covered += OverlapArea(place, other);
            const auto [side, distance] = SideAndDistance(place, anchor);
            const std::tuple cost{OverlapArea(place, anchor), covered, side, distance};
            if (std::get<0>(bestCost) < 0 || cost < bestCost) {
                best = place;
                bestCost = cost;
            }
        }
    return best;
}

Size SizeToShow(Size content, Size chrome, const Area &frame, const Area &screen) {
    const auto axis = [](int want, int now, int room) {
        return std::max(now, std::min(want, room));
    };
    return {axis(content.Width + chrome.Width, frame.Width, screen.Right() - frame.Left),
            axis(content.Height + chrome.Height, frame.Height, screen.Bottom() - frame.Top)};
}

} // namespace digitize
