// Following one curve along the steps of an Auto Run: at each step, whether
// the line is where the curve is heading, the row to settle on and the row
// the log's Y is read at. A step that does not find the line there is not
// recorded, so no value is written that the picture does not hold.
//
// The line is traced column by column from where the run starts (see
// LineTrace.h): it is where the curve is heading, carried on by touching
// runs or, across a gap, found within a reach of about one box height of the
// row its own slope leads to. A step finds the line when the trace holds the
// step's column (see LineSeen::Holds); the row settled on is the line's
// centre there. Rows searched are 6 to areaHeight-6, as by FindCurveRow.
#pragma once

#include "digitize/picture/Surface.h"
#include "digitize/search/BoxAverage.h"
#include "digitize/search/Colour.h"
#include "digitize/search/GuidedLine.h"
#include "digitize/search/LineTrace.h"

#include <cstdint>

namespace digitize {

// What the log's Y is: the row settled on (Find-Y), the box average of the
// line's pixels (Calc-Y), or the line's sub-pixel centre (Sub-pixel Y).
enum class YReading { Row, BoxAverage, SubPixel };

struct TrackSettings {
    Box StepBox;
    Colour LineColour = 0;
    int Tolerance = DefaultTolerance;
    std::int64_t AreaHeight = 0;
    YReading Reading = YReading::Row;
};

struct TrackStep {
    bool Found = false;
    std::int32_t Row = 0; // the whole row the crosshair settles on
    double Value = 0;     // the row the log's Y is read at; Row when not found
};

class CurveTracker {
  public:
    // startRow: where the user left the crosshair, the course before any point.
    CurveTracker(const TrackSettings &settings, double startRow);

    // The step at the exact column x (searched around column Round(x)).
    TrackStep Step(const Surface &picture, double x);

    int Recorded() const { return recorded_; }
    int Skipped() const { return skipped_; }

  private:
    TrackStep Skip(std::int64_t rx);

    TrackSettings settings_;
    double startRow_;
    LineTrace trace_;
    int recorded_ = 0;
    int skipped_ = 0;
};

} // namespace digitize
