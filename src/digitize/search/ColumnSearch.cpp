#include "digitize/search/ColumnSearch.h"

#include "digitize/search/Colour.h"

#include <algorithm>
#include <span>
#include <vector>

namespace digitize {
namespace {

constexpr std::int64_t NoRow = -10;

// The rows near the line colour in each column of a window of the picture,
// top to bottom, so that the candidate rows, whose boxes overlap, test each
// pixel once and visit only the curve's pixels, in the order a plain scan
// of each box (columns outer, rows inner) would add them.
class MatchedRows {
  public:
    MatchedRows(const Surface &picture, std::int64_t left, std::int64_t top, std::int64_t width,
                std::int64_t height, Colour lineColour, int tolerance)
        : left_(left), starts_(static_cast<std::size_t>(width) + 1) {
        for (std::int64_t c = 0; c < width; ++c) {
            starts_[static_cast<std::size_t>(c)] = rows_.size();
            for (std::int64_t r = 0; r < height; ++r)
                if (ColorNear(picture.Pixel(left + c, top + r), lineColour, tolerance))
                    rows_.push_back(top + r);
        }
        starts_.back() = rows_.size();
    }
    // The matched rows of column x.
    std::span<const std::int64_t> Column(std::int64_t x) const {
        const auto c = static_cast<std::size_t>(x - left_);
        return std::span(rows_).subspan(starts_[c], starts_[c + 1] - starts_[c]);
    }

  private:
    std::int64_t left_;
    std::vector<std::size_t> starts_;
    std::vector<std::int64_t> rows_;
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
        const MatchedRows matched(picture, rx - halfW, r - 2 * halfH, columns, rows, lineColour,
                                  tolerance);
        float best = 0;
        for (auto g = r - halfH; g <= r + halfH; ++g) {
            float sum = 0;
            for (auto c = rx - halfW; c <= rx + halfW; ++c) {
                const auto column = matched.Column(c);
                for (auto j = std::lower_bound(column.begin(), column.end(), g - halfH);
                     j != column.end() && *j <= g + halfH; ++j)
                    sum =
                        static_cast<float>(static_cast<double>(sum) +
                                           static_cast<double>(BoxWeight(rx, g, c, *j, box.HalfW)));
            }
            if (sum > best) {
                best = sum;
                m = g;
            }
        }
    }
    return m < 0 ? ry : m;
}

} // namespace digitize
