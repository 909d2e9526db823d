// Where a scrolled view of the picture should stand so that the crosshair
// stays in sight, one axis at a time, in picture pixels.
//
// The view shows pixels [offset, offset + view) of content that is `content`
// pixels long; valid offsets run from 0 to content - view (0 when the
// content fits). A position already in sight keeps the offset, so a visible
// crosshair never moves the view; one out of sight moves the view just far
// enough to show it `margin` pixels inside the nearer edge (centred when the
// view is narrower than two margins).
#pragma once

#include <cstdint>

namespace digitize {

inline constexpr int FollowMargin = 40;

int FollowOffset(int offset, int view, int content, std::int64_t position, int margin);

} // namespace digitize
