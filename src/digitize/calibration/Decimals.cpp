#include "digitize/calibration/Decimals.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace digitize {
namespace {

// A typed axis value is a float: 0.7 is held as 0.69999998, and 0.7 on 70
// pixels must still count as 0.01 a pixel.
constexpr double FloatSlack = 1e-6;

double PowerOfTen(int exponent) {
    return std::pow(10.0, exponent) * (1.0 - FloatSlack);
}

// The most decimals that still say something about a float near value.
int DecimalsAFloatHolds(float value) {
    const float magnitude = std::fabs(value);
    const float ulp = std::nextafter(magnitude, std::numeric_limits<float>::infinity()) - magnitude;
    return static_cast<int>(std::floor(-std::log10(static_cast<double>(ulp))));
}

double UnitsPerPixel(AxisValues axis, std::int32_t zeroPixel, std::int32_t maxPixel) {
    return std::fabs((static_cast<double>(axis.Max) - axis.Zero) /
                     (static_cast<double>(maxPixel) - zeroPixel));
}

} // namespace

Decimals UsualDecimals(bool integerX) {
    return {integerX ? 0 : 1, 2};
}

int AxisDecimals(int usual, double unitsPerStep, float largestValue, double keepSteps) {
    if (!std::isfinite(unitsPerStep) || unitsPerStep <= 0.0 ||
        keepSteps * unitsPerStep >= PowerOfTen(-usual))
        return usual;
    const int most = DecimalsAFloatHolds(largestValue);
    int decimals = usual;
    while (decimals < most && PowerOfTen(-decimals) > unitsPerStep)
        ++decimals;
    return decimals;
}

Decimals CoordDecimals(Point zeroPt, Point maxPt, AxisValues xAxis, AxisValues yAxis, bool integerX,
                       double pixelFractionY) {
    const Decimals usual = UsualDecimals(integerX);
    const auto largest = [](AxisValues axis) {
        return std::max(std::fabs(axis.Zero), std::fabs(axis.Max));
    };
    return {integerX ? 0
                     : AxisDecimals(usual.X, UnitsPerPixel(xAxis, zeroPt.X, maxPt.X),
                                    largest(xAxis), 1.0),
            AxisDecimals(usual.Y, UnitsPerPixel(yAxis, zeroPt.Y, maxPt.Y) * pixelFractionY,
                         largest(yAxis), 1.0)};
}

} // namespace digitize
