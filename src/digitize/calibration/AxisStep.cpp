#include "digitize/calibration/AxisStep.h"

#include "digitize/calibration/Rounding.h"
#include "digitize/calibration/StepRate.h"

namespace digitize {
namespace {

// The X the position would have on the X axis line (v = 0), in pixels from Zero.x.
long double AlongX(const Frame &frame, StepPosition at) {
    const Fractions f = frame.ToFractions({at.X, at.Y});
    return f.U * (static_cast<long double>(StepEndX(frame)) - frame.Zero().X);
}

} // namespace

double StepEndX(const Frame &frame) {
    return frame.Third() ? frame.Third()->X : frame.Max().X;
}

StepPosition StepAlongX(const Frame &frame, std::int32_t stepIndex, float stepPixels,
                        StepPosition at) {
    const std::int32_t zeroX = Round(frame.Zero().X);
    if (!frame.Third())
        return {StepX(zeroX, stepIndex, stepPixels), at.Y};
    const long double span = static_cast<long double>(frame.Third()->X) - frame.Zero().X;
    const long double u = static_cast<long double>(stepIndex) * stepPixels / span;
    const PixelPoint p = frame.ToPixel({u, frame.ToFractions({at.X, at.Y}).V});
    return {static_cast<float>(p.X), static_cast<float>(p.Y)};
}

bool StepBeforeOrAtEnd(const Frame &frame, StepPosition at, float stepPixels) {
    const std::int32_t zeroX = Round(frame.Zero().X);
    const std::int32_t endX = Round(StepEndX(frame));
    if (!frame.Third())
        return BeforeOrAtMax(at.X, endX, stepPixels);
    // Rounded to a float as a crosshair X is, so that the last step counts.
    const auto x = static_cast<float>(zeroX + AlongX(frame, at));
    return BeforeOrAtMax(x, endX, stepPixels);
}

} // namespace digitize
