#include "digitize/calibration/Rounding.h"

#include <cmath>
#include <limits>

namespace digitize {

std::int32_t Round(double value) {
    if (std::isnan(value))
        return 0;
    // Default floating-point environment: round to nearest, ties to even.
    const double r = std::nearbyint(value);
    constexpr double lo = std::numeric_limits<std::int32_t>::min();
    constexpr double hi = std::numeric_limits<std::int32_t>::max();
    if (r <= lo)
        return std::numeric_limits<std::int32_t>::min();
    if (r >= hi)
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(r);
}

} // namespace digitize
