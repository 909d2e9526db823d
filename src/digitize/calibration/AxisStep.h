// The step-rate cursor on a calibration with a third reference point: steps
// run along the chart's X axis as drawn in the picture, the line from the Zero
// to the third point, in equal pixel steps. With two points the step is the
// one of StepRate.h: along the picture's X, Y kept.
#pragma once

#include "digitize/calibration/Frame.h"

#include <cstdint>

namespace digitize {

// The pixel X that the step size is measured over: the third point's X when
// there is one, else the Max point's.
double StepEndX(const Frame &frame);

// Where step `stepIndex` puts a crosshair now at `at`: X is
// Zero.x + stepIndex * stepPixels as with two points, and with a third point
// the position slides along the X axis, keeping its place across it (its
// fraction v towards the Max value), so that every step lands on an equal
// step of the graph's X, whatever the crosshair's height. Computed in
// extended precision and stored as 32-bit floats. Reference points are whole
// pixels, as they are locked.
struct StepPosition {
    float X = 0;
    float Y = 0;
};
StepPosition StepAlongX(const Frame &frame, std::int32_t stepIndex, float stepPixels,
                        StepPosition at);

// Whether Auto Run goes on from `at`: the position, carried along the X axis
// to the Zero point's height, has not yet passed the step end in the step's
// direction.
bool StepBeforeOrAtEnd(const Frame &frame, StepPosition at, float stepPixels);

} // namespace digitize
