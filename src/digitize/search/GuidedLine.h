// The line in the box around a step: where the curve is expected (a guide),
// the runs of line-coloured pixels taken in the box's columns, and the line
// they make.
//
// Columns are picture columns, rows picture rows (downwards); a whole number
// is a pixel's centre. A run is a stretch of pixels near the line colour in
// one column, [First, Last] inclusive.
#pragma once

#include "digitize/picture/Surface.h"
#include "digitize/search/BoxAverage.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace digitize {

// Where the curve is expected: Row at the exact column X, changing by Slope
// rows a column, and how far from it (Reach rows) the line may be found.
struct Guide {
    double X = 0;
    double Row = 0;
    double Slope = 0;
    double Reach = 0;
    double At(double column) const { return Row + Slope * (column - X); }
};

struct Run {
    std::int64_t Column = 0;
    std::int64_t First = 0;
    std::int64_t Last = 0;
    int Closest = 0; // the smallest channel distance of its pixels from the line colour
    double Centre() const { return (static_cast<double>(First) + static_cast<double>(Last)) / 2; }
};

// The line as seen in a box: the run taken in each column that holds it, left
// to right, with columns off the line's course left out, and the straight
// line fitted through their centres.
struct LineSeen {
    std::vector<Run> Runs;
    double Row = 0;    // the fit at the x it was seen for
    double Slope = 0;  // rows a column
    double Spread = 0; // the largest distance of a run's centre from the fit

    // The line holds column rx: a run in it or next to it (an axis drawn over
    // the curve's last column), or runs on both sides of it (a pale column of
    // a thin line, the short gap of a dashed one), so a line ending inside
    // the box is never carried more than a column beyond its end.
    bool Holds(std::int64_t rx) const;

    // The centre-weighted mean row of the runs' pixels in the box centred on
    // (cx, cy), with BoxWeight, over the columns cx-d and cx+d that both hold
    // a run; nothing when the total weight is not above zero.
    std::optional<double> AverageRow(std::int64_t cx, std::int64_t cy, Box box) const;
};

// The line seen in a box from the runs taken in its columns (left to right):
// fitted by least squares, once more without the columns whose centre lies
// far off the others' fit (where something of the line's colour crosses it).
// Row and Slope come from the fit at x; with one run, slopeIfOne is kept.
LineSeen SeeLine(std::vector<Run> runs, double x, double slopeIfOne);

} // namespace digitize
