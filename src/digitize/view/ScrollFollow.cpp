#include "digitize/view/ScrollFollow.h"

#include <algorithm>

namespace digitize {

int FollowOffset(int offset, int view, int content, std::int64_t position, int margin) {
    const std::int64_t last = std::max(0, content - view);
    const auto clamped = [last](std::int64_t o) {
        return static_cast<int>(std::clamp<std::int64_t>(o, 0, last));
    };
    offset = clamped(offset);
    if (position >= offset && position < std::int64_t{offset} + view)
        return offset;
    if (view <= 2 * margin)
        return clamped(position - view / 2);
    if (position < offset)
        return clamped(position - margin);
    return clamped(position - view + 1 + margin);
}

} // namespace digitize
