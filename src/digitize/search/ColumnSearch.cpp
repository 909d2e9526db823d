#include "digitize/search/ColumnSearch.h"

#include "digitize/search/Colour.h"

#include <vector>

namespace digitize {
namespace {

constexpr std::int64_t NoRow = -10;

// Which pixels of a window of the picture are near the line colour, so that
// the candidate rows, whose boxes overlap, test each pixel once.
class MatchMask {
  public:
    MatchMask(const Surface &picture, std::int64_t left, std::int64_t top, std::int64_t width,
              std::int64_t height, Colour lineColour, int tolerance)
        : left_(left), top_(top), height_(height), near_(static_cast<std::size_t>(width * height)) {
        for (std::int64_t c = 0; c < width; ++c)
            for (std::int64_t r = 0; r < height; ++r)
                near_[Index(c, r)] =
                    ColorNear(picture.Pixel(left + c, top + r), lineColour, tolerance);
    }
    bool Near(std::int64_t x, std::int64_t y) const { return near_[Index(x - left_, y - top_)]; }

  private:
    std::size_t Index(std::int64_t c, std::int64_t r) const {
        return static_cast<std::size_t>(c * height_ + r);
    }
    std::int64_t left_;
    std::int64_t top_;
    std::int64_t height_;
    std::vector<bool> near_;
};

} // namespace

std::int64_t FindCurveRow(const Surface &picture, std::int64_t rx, std::int64_t ry,
                          std::int64_t areaHeight, Box box, Colour lineColour, int tolerance) {
    const auto lim = areaHeight - 5;
    const auto isCurve = [&](std::int64_t row) {
        return ColorNear(picture.Pixel(rx, row), lineColour, tolerance);
    };

    bool up = true;
    bool down = true;
    std::int64_t r = ry;
    for (std::int64_t count = 0; count <= lim; ++count) {
        if (up) {
            r = ry - count;
            if (r <= 5)
                up = false;
            else if (isCurve(r))
                break;
        }
        if (down) {
            r = ry + count;
            if (r >= lim)
                down = false;
            else if (isCurve(r))
                break;
        }
        if (!up && !down) {
            r = ry;
            break;
        }
    }

    std::int64_t m = NoRow;
    if (up || down) {
        const std::int64_t halfW = box.HalfW;
        const std::int64_t halfH = box.HalfH;
        const auto columns = halfW >= 0 ? 2 * halfW + 1 : 0;
        const auto rows = halfH >= 0 ? 4 * halfH + 1 : 0;
        const MatchMask mask(picture, rx - halfW, r - 2 * halfH, columns, rows, lineColour,
                             tolerance);
        float best = 0;
        for (auto g = r - halfH; g <= r + halfH; ++g) {
            float sum = 0;
            for (auto c = rx - halfW; c <= rx + halfW; ++c)
                for (auto j = g - halfH; j <= g + halfH; ++j)
                    if (mask.Near(c, j))
                        sum = static_cast<float>(
                            static_cast<double>(sum) +
                            static_cast<double>(BoxWeight(rx, g, c, j, box.HalfW)));
            if (sum > best) {
                best = sum;
                m = g;
            }
        }
    }
    return m < 0 ? ry : m;
}

} // namespace digitize
