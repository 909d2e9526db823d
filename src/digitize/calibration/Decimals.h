// How many decimals the readout and the log give each axis: the fewest, and
// never fewer than the usual ones, for which one unit of the last decimal is
// worth at most one pixel along the axis (a tenth of a pixel for a sub-pixel
// Y), so that rounding the text never moves a point by more than half of
// that; never more decimals than a float holds.
#pragma once

#include "digitize/calibration/Conversions.h"

namespace digitize {

struct Decimals {
    int X = 1;
    int Y = 2;
    friend bool operator==(Decimals, Decimals) = default;
};

// The usual decimals: X 1, or 0 when the user asked for integers; Y 2.
Decimals UsualDecimals(bool integerX);

// The decimals for an axis whose values change by unitsPerStep a step (a
// pixel, or a fraction of one) and reach at most largestValue in magnitude:
// the usual ones where they show a change of keepSteps steps, else the fewest
// that show one step.
int AxisDecimals(int usual, double unitsPerStep, float largestValue, double keepSteps);

// Both axes of a calibration; Y read to pixelFractionY of a pixel (1, or 0.1
// for a sub-pixel Y). "Integer" ticked (integerX) gives X no decimals.
Decimals CoordDecimals(Point zeroPt, Point maxPt, AxisValues xAxis, AxisValues yAxis, bool integerX,
                       double pixelFractionY = 1.0);

} // namespace digitize
