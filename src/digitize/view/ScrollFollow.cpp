#include "digitize/view/ScrollFollow.h"

#include <algorithm>

namespace digitize {

int FollowOffset(int offset, int view, Span visible, int content, std::int64_t position,
                 int margin) {
    const std::int64_t last = std::max(0, content - view);
    const auto clamped = [last](std::int64_t o) {
        return static_cast<int>(std::clamp<std::int64_t>(o, 0, last));
    };
    offset = clamped(offset);
    visible = {std::max(visible.Begin, 0), std::min(visible.End, view)};
    // A view seen nowhere (its window off every screen) follows as if seen whole.
    if (visible.End <= visible.Begin)
        visible = {0, view};
    if (visible.End - visible.Begin <= 2 * margin)
        return clamped(position - (visible.Begin + visible.End) / 2);
    const std::int64_t lowest = visible.Begin + margin;    // nearest the left or top
    const std::int64_t highest = visible.End - 1 - margin; // nearest the right or bottom
    const std::int64_t inView = position - offset;
    if (inView < lowest)
        return clamped(position - lowest);
    if (inView > highest)
        return clamped(position - highest);
    return offset;
}

} // namespace digitize
