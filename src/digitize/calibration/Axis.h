// One graph axis between the values typed for its two reference points:
// linear, logarithmic (through log10) or a time axis (seconds since 1970).
//
// A fraction u of the way from the Zero value to the Max value is worth
//   linear: Zero + u * (Max - Zero)
//   log:    10^(log10 Zero + u * (log10 Max - log10 Zero))
//   time:   Zero + u * (Max - Zero), in seconds
// computed in extended precision. A linear axis holds the typed values as
// 32-bit floats, as the fields give them.
#pragma once

#include "digitize/calibration/Conversions.h"

#include <optional>
#include <string_view>

namespace digitize {

enum class AxisKind { Linear, Log, Time };

struct Axis {
    AxisKind Kind = AxisKind::Linear;
    double Zero = 0;
    double Max = 0;
};

// A number axis from the typed values. A log axis needs both above zero:
// throws Error("Log X needs X Zero and X Max above 0, not '000'") with the axis
// name and the first value that is not, written as typed (zeroText, maxText).
Axis NumberAxis(AxisValues values, bool log, std::string_view name, std::string_view zeroText,
                std::string_view maxText);

// A time axis when both texts are dates (see DateValue.h), else nothing.
// A log box ticked on a time axis throws Error("Log X does not apply to dates").
std::optional<Axis> DateAxis(std::string_view zeroText, std::string_view maxText, bool log,
                             std::string_view name);

long double ValueAt(const Axis &axis, long double fraction);
// The inverse; throws Error for a value a log axis cannot hold (not above 0).
long double FractionOf(const Axis &axis, long double value);

// How much one pixel is worth along an axis whose reference points lie
// `pixels` apart: units for a linear axis, seconds for a time axis, decades
// (of log10) for a log axis; always positive.
double WorthPerPixel(const Axis &axis, double pixels);

} // namespace digitize
