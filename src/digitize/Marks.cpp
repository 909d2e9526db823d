#include "Marks.h"

namespace digitize {

Outline BoxAround(Point centre, int halfW, int halfH) {
    return {std::int64_t{centre.X} - halfW, std::int64_t{centre.Y} - halfH,
            std::int64_t{centre.X} + halfW, std::int64_t{centre.Y} + halfH};
}

std::array<Rect, 2> DrawCross(Surface &picture, Point centre) {
    const std::int64_t x = centre.X;
    const std::int64_t y = centre.Y;
    return {picture.Line(x - CrossArm, y, x + CrossArm, y),
            picture.Line(x, y - CrossArm, x, y + CrossArm)};
}

std::array<Rect, 4> DrawOutline(Surface &picture, const Outline &box) {
    return {picture.Line(box.Left, box.Top, box.Right, box.Top),
            picture.Line(box.Right, box.Top, box.Right, box.Bottom),
            picture.Line(box.Right, box.Bottom, box.Left, box.Bottom),
            picture.Line(box.Left, box.Bottom, box.Left, box.Top)};
}

} // namespace digitize
