#include "Marks.h"

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

} // namespace digitize
