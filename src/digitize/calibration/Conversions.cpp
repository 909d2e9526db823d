#include "digitize/calibration/Conversions.h"

#include "digitize/calibration/FieldValue.h"
#include "digitize/calibration/NumberText.h"

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

std::string CoordText(float xValue, float yValue, int xDecimals, int yDecimals) {
    return FixedText(xValue, xDecimals, 3) + " , " + FixedText(yValue, yDecimals, 5);
}

std::string CoordText(float xValue, float yValue, bool integerX) {
    return CoordText(xValue, yValue, integerX ? 0 : 1, 2);
}

} // namespace digitize
