// How many decimals the readout and the log give each axis: the usual ones
// wherever they show a change of ten pixels, and only where they cannot, the
// fewest that show a change of one pixel (never more than a float holds).
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

// Both axes of a calibration. Where Y is read to a fraction of a pixel
// (pixelFractionY below 1), that fraction shows; there is no earlier text to keep.
Decimals CoordDecimals(Point zeroPt, Point maxPt, AxisValues xAxis, AxisValues yAxis, bool integerX,
                       double pixelFractionY = 1.0);

} // namespace digitize
