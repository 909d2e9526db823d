#include "digitize/view/Marks.h"

#include <algorithm>

namespace digitize {

Outline BoxAround(Point centre, int halfW, int halfH) {
    return {std::int64_t{centre.X} - halfW, std::int64_t{centre.Y} - halfH,
            std::int64_t{centre.X} + halfW, std::int64_t{centre.Y} + halfH};
}

std::array<Segment, 2> CrossLines(Point centre) {
    const std::int64_t x = centre.X;
    const std::int64_t y = centre.Y;
    return {Segment{x - CrossArm, y, x + CrossArm, y}, Segment{x, y - CrossArm, x, y + CrossArm}};
}

std::array<Segment, 4> OutlineLines(const Outline &box) {
    return {Segment{box.Left, box.Top, box.Right, box.Top},
            Segment{box.Right, box.Top, box.Right, box.Bottom},
            Segment{box.Right, box.Bottom, box.Left, box.Bottom},
            Segment{box.Left, box.Bottom, box.Left, box.Top}};
}

namespace {

template <std::size_t N>
std::array<Rect, N> Draw(Surface &picture, const std::array<Segment, N> &lines) {
    std::array<Rect, N> changed;
    for (std::size_t i = 0; i < N; ++i)
        changed[i] = picture.Line(lines[i].X0, lines[i].Y0, lines[i].X1, lines[i].Y1);
    return changed;
}

} // namespace

std::array<Rect, 2> DrawCross(Surface &picture, Point centre) {
    return Draw(picture, CrossLines(centre));
}

std::array<Rect, 4> DrawOutline(Surface &picture, const Outline &box) {
    return Draw(picture, OutlineLines(box));
}

void DrawWithin(Surface &picture, std::span<const Segment> lines, const Outline &clip) {
    // The pixels a line from a towards b covers, its end point left out, as
    // the inclusive range [first, last]; empty when a == b.
    const auto covered = [](std::int64_t a, std::int64_t b) {
        return b > a ? std::pair{a, b - 1} : std::pair{b + 1, a};
    };
    for (const Segment &line : lines) {
        const bool across = line.Y0 == line.Y1;
        const std::int64_t fixed = across ? line.Y0 : line.X0;
        const auto [lowFixed, highFixed] =
            across ? std::pair{clip.Top, clip.Bottom} : std::pair{clip.Left, clip.Right};
        if (fixed < std::min(lowFixed, highFixed) || fixed > std::max(lowFixed, highFixed))
            continue;
        const auto [first, last] = across ? covered(line.X0, line.X1) : covered(line.Y0, line.Y1);
        const auto [low, high] =
            across ? std::pair{clip.Left, clip.Right} : std::pair{clip.Top, clip.Bottom};
        const std::int64_t from = std::max(first, std::min(low, high));
        const std::int64_t to = std::min(last, std::max(low, high));
        if (from > to)
            continue;
        if (across)
            picture.Line(from, fixed, to + 1, fixed);
        else
            picture.Line(fixed, from, fixed, to + 1);
    }
}

} // namespace digitize
