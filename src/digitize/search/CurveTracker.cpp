#include "digitize/search/CurveTracker.h"

#include "digitize/calibration/Rounding.h"
#include "digitize/search/SubPixel.h"

#include <algorithm>
#include <cmath>

namespace digitize {
namespace {

// The reach widens by this many rows for every column of a gap: across it
// the curve may have moved on.
constexpr double ReachGrowth = 0.25;
// How far beyond the runs' spread about their line the sub-pixel centre of a
// column may lie.
constexpr double SubPixelReach = 2.0;
// The rows the column search never reaches at the picture's top and foot.
constexpr std::int64_t Margin = 6;

TraceSettings TraceFor(const TrackSettings &s) {
    const std::int64_t halfH = std::max(s.StepBox.HalfH, 0);
    return {s.LineColour,
            s.Tolerance,
            Margin,
            s.AreaHeight - 1 - Margin,
            2.0 * static_cast<double>(halfH) + 1.0,
            ReachGrowth,
            halfH};
}

} // namespace

CurveTracker::CurveTracker(const TrackSettings &settings, double startRow)
    : settings_(settings), startRow_(startRow), trace_(TraceFor(settings)) {}

TrackStep CurveTracker::Skip(std::int64_t rx) {
    ++skipped_;
    const Guide expected = trace_.Expected(rx);
    const double row = std::isfinite(expected.Row) ? expected.Row : startRow_;
    const double last = static_cast<double>(std::max<std::int64_t>(settings_.AreaHeight - 1, 0));
    TrackStep step;
    step.Row = Round(std::clamp(row, 0.0, last));
    step.Value = step.Row;
    return step;
}

TrackStep CurveTracker::Step(const Surface &picture, double x) {
    const std::int64_t rx = Round(x);
    const std::int64_t halfW = std::max(settings_.StepBox.HalfW, 0);
    if (!trace_.Started() && !trace_.Start(picture, rx, startRow_, rx - halfW, rx + halfW))
        return Skip(rx);
    trace_.To(picture, rx + halfW);
    trace_.To(picture, rx - halfW);
    const LineSeen line = SeeLine(trace_.RunsIn(rx - halfW, rx + halfW), x, 0);
    if (!line.Holds(rx))
        return Skip(rx);

    TrackStep step;
    step.Found = true;
    // The line's own centre in the step's column; its fit where the column
    // is pale or crossed by something.
    double centre = line.Row;
    for (const Run &run : line.Runs)
        if (run.Column == rx)
            centre = run.Centre();
    step.Row = Round(centre);
    step.Value = step.Row;
    switch (settings_.Reading) {
    case YReading::Row:
        break;
    case YReading::BoxAverage:
        step.Value = line.AverageRow(rx, step.Row, settings_.StepBox).value_or(step.Value);
        break;
    case YReading::SubPixel:
        step.Value = SubPixelRow(picture, x, step.Row, settings_.StepBox, settings_.LineColour,
                                 settings_.Tolerance,
                                 Guide{x, line.Row, line.Slope, line.Spread + SubPixelReach})
                         .value_or(centre);
        break;
    }
    ++recorded_;
    return step;
}

} // namespace digitize
