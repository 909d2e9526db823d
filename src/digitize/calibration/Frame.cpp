#include "digitize/calibration/Frame.h"

#include "digitize/Errors.h"

#include <cmath>

namespace digitize {
namespace {

long double Cross(long double ax, long double ay, long double bx, long double by) {
    return ax * by - ay * bx;
}

double Distance(PixelPoint a, PixelPoint b) {
    return std::hypot(b.X - a.X, b.Y - a.Y);
}

} // namespace

bool OnOneLine(PixelPoint a, PixelPoint b, PixelPoint c) {
    // Twice the triangle's area over its longest side is its smallest height.
    const long double area =
        std::fabs(Cross(static_cast<long double>(b.X) - a.X, static_cast<long double>(b.Y) - a.Y,
                        static_cast<long double>(c.X) - a.X, static_cast<long double>(c.Y) - a.Y));
    const double longest = std::fmax(Distance(a, b), std::fmax(Distance(b, c), Distance(a, c)));
    return longest == 0.0 || area / longest < 1.0L;
}

Frame::Frame(PixelPoint zero, PixelPoint max) : zero_(zero), max_(max) {}

Frame::Frame(PixelPoint zero, PixelPoint max, PixelPoint third)
    : zero_(zero), max_(max), third_(third) {
    if (OnOneLine(zero, max, third))
        throw Error("The three reference points lie on one line");
}

Fractions Frame::ToFractions(PixelPoint p) const {
    if (!third_) {
        return {(static_cast<long double>(p.X) - zero_.X) /
                    (static_cast<long double>(max_.X) - zero_.X),
                (zero_.Y - static_cast<long double>(p.Y)) /
                    (static_cast<long double>(zero_.Y) - max_.Y)};
    }
    // Solve p - Zero = u * A + v * B by Cramer's rule.
    const long double ax = static_cast<long double>(third_->X) - zero_.X;
    const long double ay = static_cast<long double>(third_->Y) - zero_.Y;
    const long double bx = static_cast<long double>(max_.X) - third_->X;
    const long double by = static_cast<long double>(max_.Y) - third_->Y;
    const long double px = static_cast<long double>(p.X) - zero_.X;
    const long double py = static_cast<long double>(p.Y) - zero_.Y;
    const long double det = Cross(ax, ay, bx, by);
    return {Cross(px, py, bx, by) / det, Cross(ax, ay, px, py) / det};
}

PixelPoint Frame::ToPixel(Fractions f) const {
    if (!third_) {
        return {static_cast<double>(zero_.X + f.U * (static_cast<long double>(max_.X) - zero_.X)),
                static_cast<double>(zero_.Y - f.V * (static_cast<long double>(zero_.Y) - max_.Y))};
    }
    const long double x = zero_.X + f.U * (static_cast<long double>(third_->X) - zero_.X) +
                          f.V * (static_cast<long double>(max_.X) - third_->X);
    const long double y = zero_.Y + f.U * (static_cast<long double>(third_->Y) - zero_.Y) +
                          f.V * (static_cast<long double>(max_.Y) - third_->Y);
    return {static_cast<double>(x), static_cast<double>(y)};
}

double Frame::XLength() const {
    return third_ ? Distance(zero_, *third_) : std::fabs(max_.X - zero_.X);
}

double Frame::YLength() const {
    return third_ ? Distance(*third_, max_) : std::fabs(zero_.Y - max_.Y);
}

} // namespace digitize
