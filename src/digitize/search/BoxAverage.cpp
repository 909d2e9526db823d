#include "digitize/search/BoxAverage.h"

#include "digitize/search/Colour.h"

namespace digitize {

std::optional<float> BoxAverageRow(const Surface &picture, std::int64_t cx, std::int64_t cy,
                                   Box box, Colour lineColour, int tolerance) {
    float s = 0;
    float w = 0;
    for (auto c = cx - box.HalfW; c <= cx + box.HalfW; ++c) {
        for (auto r = cy - box.HalfH; r <= cy + box.HalfH; ++r) {
            if (!ColorNear(picture.Pixel(c, r), lineColour, tolerance))
                continue;
            const auto k = static_cast<float>(BoxWeight(cx, cy, c, r, box.HalfW));
            s = static_cast<float>(static_cast<double>(s) +
                                   static_cast<double>(r) * static_cast<double>(k));
            w = static_cast<float>(static_cast<double>(w) + static_cast<double>(k));
        }
    }
    if (w > 0)
        return static_cast<float>(static_cast<double>(s) / static_cast<double>(w));
    return std::nullopt;
}

} // namespace digitize
