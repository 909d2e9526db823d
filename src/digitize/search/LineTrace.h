// Following a line column by column from where it was last seen: in each
// column the run of line-coloured pixels that carries it on, so that a grid
// line or an axis it crosses, a legend's sample, text or a neighbouring
// series of a similar colour is not taken for it.
//
// A run carries the line on, best first, when it touches the last run taken
// (its rows within two of that run's, in the next column); when it touches
// another run that touched the last one (the line turning at a marker or a
// sharp corner); or, after a gap (a dashed line, a break in the data, a pale
// column), when it lies within a reach of the expected row and shows the
// line's own colour about as closely as the line did. The reach is two rows
// next to the last run and widens by at least a row a column of gap (faster
// for a steep or jagged line), up to two box heights (more for a jagged
// line). The expected row is the last run's centre carried on by the line's
// slope over the last columns, for at most 16 columns. Among runs that join
// the same way the one nearest the expected row wins, a colour farther from
// the line colour counting as farther away; where the line forks, a branch
// that ends within a few columns (the bar of a marker) gives way. A run
// longer than four box heights (an axis, a vertical grid line) or whose end
// is not seen never counts. Rows read are those within the reach and a box
// height of the expected row, inside [Top, Bottom]; reads outside the
// picture are white.
#pragma once

#include "digitize/picture/Surface.h"
#include "digitize/search/GuidedLine.h"

#include <cstdint>
#include <map>
#include <vector>

namespace digitize {

struct TraceSettings {
    Colour LineColour = 0;
    int Tolerance = 0;
    std::int64_t Top = 0;
    std::int64_t Bottom = 0;
    double Reach = 0;       // rows, next to the last run taken
    double ReachGrowth = 0; // rows more for each column of gap
    std::int64_t HalfH = 0; // rows read beyond the reach, to see a run whole
};

class LineTrace {
  public:
    explicit LineTrace(const TraceSettings &settings) : settings_(settings) {}

    // Starts on the run within reach of row in columns [from, to] that lies
    // nearest it, column `at` preferred; false when there is none.
    bool Start(const Surface &picture, std::int64_t at, double row, std::int64_t from,
               std::int64_t to);
    bool Started() const { return started_; }

    // Traces every column from those traced so far up to `column`, either way.
    void To(const Surface &picture, std::int64_t column);

    // The runs taken in columns [from, to], left to right.
    std::vector<Run> RunsIn(std::int64_t from, std::int64_t to) const;

    // Where the line is expected in `column`, coming from the traced side
    // nearest it, and the reach there. Before the start: nothing to expect.
    Guide Expected(std::int64_t column) const;

  private:
    // The run taken nearest `column` on the side it is traced from (dir +1:
    // at or left of it), if any.
    const Run *Anchor(std::int64_t column, int dir) const;
    std::int64_t MaxRunRows() const;
    // How many columns (up to depth) some chain of touching runs goes on from run.
    int GoesOn(const Surface &picture, const Run &run, int dir, int depth) const;
    struct Course {
        double slope = 0;  // rows a column
        double change = 0; // mean change a column, jags included
    };
    Course CourseBehind(const Run &anchor, int dir) const;
    Guide ExpectedFrom(const Run &anchor, std::int64_t column, int dir) const;
    void TraceColumn(const Surface &picture, std::int64_t column, int dir);

    TraceSettings settings_;
    bool started_ = false;
    std::int64_t lo_ = 0; // columns [lo_, hi_] are traced
    std::int64_t hi_ = 0;
    std::map<std::int64_t, Run> runs_; // by column
    // Other runs that touched the last run, by column: where the line turns.
    std::map<std::int64_t, std::vector<Run>> branches_;
    double closeness_ = 0; // the line's usual Closest, from touching runs
};

} // namespace digitize
