#include "digitize/view/ZoomRender.h"

#include "digitize/Errors.h"

#include <algorithm>
#include <vector>

namespace digitize {
namespace {

// Picture pixels [First, End) shown by one view pixel, cut to the picture.
Extent Clipped(std::int64_t view, Zoom zoom, std::int64_t length) {
    const Extent s = PictureSpan(view, view + 1, zoom);
    return {std::clamp<std::int64_t>(s.First, 0, length),
            std::clamp<std::int64_t>(s.End, 0, length)};
}

void Magnify(const Surface &picture, Zoom zoom, const Rect &area, std::span<std::uint32_t> out) {
    const auto width = static_cast<std::size_t>(area.Right - area.Left);
    // Each view column's picture column, or -1 past the picture.
    thread_local std::vector<std::int64_t> source;
    source.resize(width);
    for (std::size_t i = 0; i < width; ++i) {
        const std::int64_t px = PictureSpan(area.Left + static_cast<std::int64_t>(i),
                                            area.Left + static_cast<std::int64_t>(i) + 1, zoom)
                                    .First;
        source[i] = px >= 0 && px < picture.Width() ? px : -1;
    }
    std::int64_t previous = -1;
    for (int vy = area.Top; vy < area.Bottom; ++vy) {
        std::uint32_t *row = out.data() + static_cast<std::size_t>(vy - area.Top) * width;
        const std::int64_t py = PictureSpan(vy, vy + 1, zoom).First;
        // Rows of one picture row repeat the one drawn above them.
        if (vy > area.Top && py == previous) {
            std::copy_n(row - width, width, row);
            continue;
        }
        previous = py;
        if (py < 0 || py >= picture.Height()) {
            std::fill_n(row, width, BeyondPictureWord);
            continue;
        }
        const std::uint32_t *line = picture.Row(static_cast<int>(py));
        for (std::size_t i = 0; i < width; ++i)
            row[i] = source[i] >= 0 ? line[source[i]] : BeyondPictureWord;
    }
}

void Shrink(const Surface &picture, Zoom zoom, const Rect &area, std::span<std::uint32_t> out) {
    const auto width = static_cast<std::size_t>(area.Right - area.Left);
    // The picture columns all the view columns show, and each one's share.
    const Extent all = PictureSpan(area.Left, area.Right, zoom);
    const std::int64_t from = std::clamp<std::int64_t>(all.First, 0, picture.Width());
    const std::int64_t to = std::clamp<std::int64_t>(all.End, 0, picture.Width());
    const auto columns = static_cast<std::size_t>(to - from);
    thread_local std::vector<std::uint32_t> sums; // red, green, blue of each column
    sums.resize(3 * columns);
    for (int vy = area.Top; vy < area.Bottom; ++vy) {
        std::uint32_t *row = out.data() + static_cast<std::size_t>(vy - area.Top) * width;
        const Extent rows = Clipped(vy, zoom, picture.Height());
        std::fill(sums.begin(), sums.end(), 0u);
        for (std::int64_t py = rows.First; py < rows.End; ++py) {
            const std::uint32_t *line = picture.Row(static_cast<int>(py)) + from;
            for (std::size_t c = 0; c < columns; ++c) {
                sums[3 * c] += (line[c] >> 16) & 0xFFu;
                sums[3 * c + 1] += (line[c] >> 8) & 0xFFu;
                sums[3 * c + 2] += line[c] & 0xFFu;
            }
        }
        for (std::size_t i = 0; i < width; ++i) {
            const Extent cols =
                Clipped(area.Left + static_cast<std::int64_t>(i), zoom, picture.Width());
            const auto count = static_cast<std::uint64_t>(cols.End - cols.First) *
                               static_cast<std::uint64_t>(rows.End - rows.First);
            if (count == 0) {
                row[i] = BeyondPictureWord;
                continue;
            }
            std::uint64_t r = 0;
            std::uint64_t g = 0;
            std::uint64_t b = 0;
            for (std::int64_t px = cols.First; px < cols.End; ++px) {
                const auto c = static_cast<std::size_t>(px - from);
                r += sums[3 * c];
                g += sums[3 * c + 1];
                b += sums[3 * c + 2];
            }
            const auto mean = [count](std::uint64_t sum) {
                return static_cast<std::uint32_t>((sum + count / 2) / count);
            };
            row[i] = 0xFF000000u | mean(r) << 16 | mean(g) << 8 | mean(b);
        }
    }
}

} // namespace

void RenderZoomed(const Surface &picture, Zoom zoom, const Rect &area,
                  std::span<std::uint32_t> out) {
    if (area.Empty())
        return;
    const auto words = static_cast<std::size_t>(area.Right - area.Left) *
                       static_cast<std::size_t>(area.Bottom - area.Top);
    if (out.size() < words)
        throw Error("The view's buffer is smaller than the part to draw");
    if (zoom >= OneToOne)
        Magnify(picture, zoom, area, out);
    else
        Shrink(picture, zoom, area, out);
}

} // namespace digitize
