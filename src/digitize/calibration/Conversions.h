// Pixel-to-graph conversion: linear on each axis between the two locked
// reference pixels, with the picture's downward Y turned upward.
//
// Arithmetic is done in extended precision in the order of the formulas and
// the result is stored as a 32-bit float (Error "Floating point overflow"
// beyond its range). The reference pixels always differ on both axes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace digitize {

struct Point {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    friend bool operator==(Point, Point) = default;
};

// The graph values typed for the Zero and the Max reference point on one axis.
struct AxisValues {
    float Zero = 0;
    float Max = 0;
};

// Refuses an axis whose two values are the same, on which every pixel would
// read as that one value: Error("X Zero and X Max are both 5: an axis needs
// two different values"), name being "X" or "Y".
void CheckAxisValues(AxisValues axis, std::string_view name);

// XZ + (X - ZeroPt.X) / (MaxPt.X - ZeroPt.X) * (XM - XZ)
float CalcXValue(float x, Point zeroPt, Point maxPt, AxisValues xAxis);

// YZ + (ZeroPt.Y - Y) / (ZeroPt.Y - MaxPt.Y) * (YM - YZ)
float CalcYValue(float y, Point zeroPt, Point maxPt, AxisValues yAxis);

// "X , Y": X in at least 3 characters, Y in at least 5, each with its decimals.
std::string CoordText(float xValue, float yValue, int xDecimals, int yDecimals);
// With the usual decimals: X 0 when integerX, else 1; Y 2.
std::string CoordText(float xValue, float yValue, bool integerX);

} // namespace digitize
