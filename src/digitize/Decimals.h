// How many decimals the readout and the log give each axis: the usual ones
// wherever they show a change of ten pixels, and only where they cannot, the
// fewest that show a change of one pixel (never more than a float holds).
#pragma once

#include "Conversions.h"

namespace digitize {

struct Decimals {
    int X = 1;
    int Y = 2;
    friend bool operator==(Decimals, Decimals) = default;
};

// The usual decimals: X 1, or 0 when the user asked for integers; Y 2.
Decimals UsualDecimals(bool integerX);

// usual decimals for an axis whose values change by unitsPerPixel a pixel and
// reach at most largestValue in magnitude.
int AxisDecimals(int usual, double unitsPerPixel, float largestValue);

// Both axes of a calibration. pixelFractionY is the smallest change along Y
// that must show, in pixels (1, or less when Y is read to a fraction of a pixel).
Decimals CoordDecimals(Point zeroPt, Point maxPt, AxisValues xAxis, AxisValues yAxis, bool integerX,
                       double pixelFractionY = 1.0);

} // namespace digitize
