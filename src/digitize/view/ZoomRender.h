// Drawing a part of the zoomed view of the picture, as Zoom.h maps it: from
// one to one up each view pixel takes the colour of the picture pixel under
// it (nearest neighbour, so pixels stay sharp squares); below, the mean of
// the picture pixels it shows (a box filter, so a one-pixel line fades but
// never vanishes, and a part drawn alone matches the same part of the whole).
#pragma once

#include "digitize/picture/Surface.h"
#include "digitize/view/Zoom.h"

#include <cstdint>
#include <span>

namespace digitize {

// Shown where the view reaches past the picture.
inline constexpr std::uint32_t BeyondPictureWord = 0xFFFFFFFF;

// Draws view pixels [area) into out, area.Right - area.Left words a row,
// rows top to bottom without padding, as 0xFFRRGGBB words. Each channel's
// mean is rounded half up. Throws Error when out is smaller than the area.
void RenderZoomed(const Surface &picture, Zoom zoom, const Rect &area,
                  std::span<std::uint32_t> out);

} // namespace digitize
