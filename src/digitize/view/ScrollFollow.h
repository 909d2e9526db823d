// Where a scrolled view of the picture should stand so that the crosshair
// stays in sight, one axis at a time, in the view's pixels (the picture's
// pixels at the zoom).
//
// The view shows pixels [offset, offset + view) of content that is `content`
// pixels long; valid offsets run from 0 to content - view (0 when the
// content fits). Of the view, only the span `visible` ([Begin, End) in view
// pixels) is really seen: less than the whole view where the window reaches
// past the screen's edge. A crosshair at least `margin` pixels inside the
// visible span keeps the offset, so moves in the middle never shift the
// picture; one nearer an edge, or out of sight, moves the view just far
// enough to put it `margin` pixels inside the nearer edge (centred when the
// span is no wider than two margins). Margin 0 only brings a crosshair out of
// sight back to the edge: a click, which is always in sight, scrolls nothing.
#pragma once

#include <cstdint>

namespace digitize {

inline constexpr int FollowMargin = 40;

struct Span {
    int Begin = 0;
    int End = 0; // exclusive
};

int FollowOffset(int offset, int view, Span visible, int content, std::int64_t position,
                 int margin);

// The whole view seen.
inline int FollowOffset(int offset, int view, int content, std::int64_t position, int margin) {
    return FollowOffset(offset, view, {0, view}, content, position, margin);
}

} // namespace digitize
