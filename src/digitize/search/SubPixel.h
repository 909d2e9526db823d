// The centre of the curve at an exact, fractional X, to a fraction of a pixel.
//
// Coordinates are the crosshair's: column x and row y name pixel (x, y), so a
// whole number is a pixel's centre and x = 12.25 lies a quarter pixel right of
// column 12's centre. The box spans columns Round(x)-|HalfW|..Round(x)+|HalfW|
// and rows cy-HalfH..cy+HalfH, inclusive; reads outside the picture are white.
//
// Each pixel counts by its coverage a: where its colour lies on the way from
// the box's background (the per-channel median of the box) to the line
// colour, 0 to 1. It matches the line when each channel lies within
// min(1, a + 1/4) x tolerance of that mix. In each column, a run of covered
// rows, split where its coverage dips below half the peaks on either side
// (the line touching an axis) and with its unmatched ends trimmed (a grid
// line touching it), is the line when it peaks at 0.3 or more; the run nearest cy gives a
// coverage-weighted centre row, and a run reaching the box's top or bottom
// row is cut off and left out. The centres are fitted across the columns by
// least squares, a quadratic where the curve bends measurably, else a
// straight line, refitted once without centres far off the fit, and the fit
// is read at x.
#pragma once

#include "digitize/picture/Surface.h"
#include "digitize/search/BoxAverage.h"
#include "digitize/search/GuidedLine.h"

#include <cstdint>
#include <optional>

namespace digitize {

// The curve's centre row at x, or nothing when no column of the box holds a
// run of the line (or the line colour cannot be told from the background).
std::optional<double> SubPixelRow(const Surface &picture, double x, std::int64_t cy, Box box,
                                  Colour lineColour, int tolerance);
// The same where the curve's course is known (an Auto Run): each column's run
// is the one nearest the guide's row there, and a run farther than its reach
// is not the line, so a grid line or axis crossing the box does not pull it.
std::optional<double> SubPixelRow(const Surface &picture, double x, std::int64_t cy, Box box,
                                  Colour lineColour, int tolerance, const Guide &guide);

} // namespace digitize
