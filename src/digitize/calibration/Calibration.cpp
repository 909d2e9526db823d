#include "digitize/calibration/Calibration.h"

#include "digitize/calibration/FieldValue.h"

namespace digitize {
namespace {

double Stored(const Axis &axis, long double value) {
    return axis.Kind == AxisKind::Linear ? ToSingle(value) : static_cast<double>(value);
}

} // namespace

GraphPoint Calibration::ToGraph(PixelPoint p) const {
    const Fractions f = frame_.ToFractions(p);
    return {static_cast<double>(ValueAt(x_, f.U)), static_cast<double>(ValueAt(y_, f.V))};
}

GraphPoint Calibration::Reading(PixelPoint p) const {
    const Fractions f = frame_.ToFractions(p);
    // X before Y, as the fields are read.
    const double x = Stored(x_, ValueAt(x_, f.U));
    return {x, Stored(y_, ValueAt(y_, f.V))};
}

PixelPoint Calibration::ToPixel(GraphPoint g) const {
    return frame_.ToPixel({FractionOf(x_, g.X), FractionOf(y_, g.Y)});
}

} // namespace digitize
