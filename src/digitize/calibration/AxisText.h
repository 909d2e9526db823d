// The coordinate text of a reading, "X , Y", on any calibration: X in at
// least 3 characters, Y in at least 5, right-aligned, each axis by its kind:
//   linear: fixed-point with the decimals of Decimals.h;
//   log:    enough significant digits that one unit of the last is worth at
//           most one pixel (or the fraction of a pixel Y is read to);
//   time:   an ISO 8601 date, to the day, hour or minute (DateValue.h).
// "Integer" ticked gives X no decimals on a number axis, log or linear.
#pragma once

#include "digitize/calibration/Calibration.h"

#include <string>

namespace digitize {

// The fewest significant digits (2 to 15) whose last unit is worth at most
// one pixel on a log axis where a pixel is worth decadesPerPixel.
int LogDigits(double decadesPerPixel);

// A positive value with `digits` significant digits: fixed-point from 1e-5
// up to 1e15 (integer digits never cut: 123456 with 3 digits stays "123456"),
// else scientific ("1.23e-07"). Right-aligned in at least minWidth characters.
std::string SignificantText(double value, int digits, int minWidth);

// The steps label of a log or time X axis for n steps between the Zero and
// Max values: " 40 Steps = x1.26", the factor each step multiplies X by (3
// significant digits), or " 30 Steps = 1.0 d", the days, hours ("h") or
// minutes ("min") a step is worth, the largest unit of which it holds at least one.
std::string StepLabel(const Axis &x, int n);

// pixelFractionY: the fraction of a pixel the Y reading is made to (1 for a
// whole pixel, 0.1 for a sub-pixel Y). Throws DateText's error for a date
// beyond the year 9999.
std::string ReadingText(const Calibration &calibration, GraphPoint reading, bool integerX,
                        double pixelFractionY = 1.0);

} // namespace digitize
