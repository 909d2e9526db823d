#include "digitize/calibration/Conversions.h"

#include "digitize/Errors.h"
#include "digitize/calibration/FieldValue.h"
#include "digitize/calibration/NumberText.h"

#include <array>
#include <charconv>

namespace digitize {

void CheckAxisValues(AxisValues axis, std::string_view name) {
    if (axis.Zero != axis.Max)
        return;
    std::array<char, 32> value{};
    const auto end = std::to_chars(value.data(), value.data() + value.size(), axis.Zero).ptr;
    const std::string n(name);
    throw Error(n + " Zero and " + n + " Max are both " + std::string(value.data(), end) +
                ": an axis needs two different values");
}

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

std::string CoordText(float xValue, float yValue, int xDecimals, int yDecimals) {
    return FixedText(xValue, xDecimals, 3) + " , " + FixedText(yValue, yDecimals, 5);
}

std::string CoordText(float xValue, float yValue, bool integerX) {
    return CoordText(xValue, yValue, integerX ? 0 : 1, 2);
}

} // namespace digitize
