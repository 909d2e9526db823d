#include "Conversions.h"

#include "FieldValue.h"
#include "NumberText.h"

#include <cmath>

namespace digitize {

float CalcXValue(float x, Point zeroPt, Point maxPt, AxisValues xAxis) {
    const long double value = static_cast<long double>(xAxis.Zero) +
                              (static_cast<long double>(x) - zeroPt.X) /
                                  (static_cast<long double>(maxPt.X) - zeroPt.X) *
                                  (static_cast<long double>(xAxis.Max) - xAxis.Zero);
    return ToSingle(value);
}

float CalcYValue(float y, Point zeroPt, Point maxPt, AxisValues yAxis) {
    const long double value = static_cast<long double>(yAxis.Zero) +
                              (zeroPt.Y - static_cast<long double>(y)) /
                                  (static_cast<long double>(zeroPt.Y) - maxPt.Y) *
                                  (static_cast<long double>(yAxis.Max) - yAxis.Zero);
    return ToSingle(value);
}

std::string CoordText(float xValue, float yValue, bool integerX, int yDecimals) {
    return FixedText(xValue, integerX ? 0 : 1, 3) + " , " + FixedText(yValue, yDecimals, 5);
}

int TenthPixelDecimals(Point zeroPt, Point maxPt, AxisValues yAxis) {
    constexpr int Fewest = 2;
    constexpr int Most = 15;
    const long double tenth = std::fabs((static_cast<long double>(yAxis.Max) - yAxis.Zero) /
                                        (static_cast<long double>(zeroPt.Y) - maxPt.Y)) /
                              10;
    int decimals = Fewest;
    long double place = 0.01L;
    while (decimals < Most && !(place <= tenth)) {
        ++decimals;
        place /= 10;
    }
    return decimals;
}

} // namespace digitize
