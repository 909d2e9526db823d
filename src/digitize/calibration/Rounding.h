// Position-to-pixel rounding used everywhere a crosshair position, a step
// position or a box width becomes a whole pixel.
#pragma once

#include <cstdint>

namespace digitize {

// Nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
// Values beyond the 32-bit range saturate; NaN gives 0.
std::int32_t Round(double value);

} // namespace digitize
