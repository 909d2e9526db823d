#include "digitize/calibration/Axis.h"

#include "digitize/Errors.h"
#include "digitize/calibration/DateValue.h"

#include <cmath>
#include <string>

namespace digitize {

Axis NumberAxis(AxisValues values, bool log, std::string_view name, std::string_view zeroText,
                std::string_view maxText) {
    if (log && !(values.Zero > 0 && values.Max > 0)) {
        const std::string_view bad = values.Zero > 0 ? maxText : zeroText;
        const std::string axis(name);
        throw Error("Log " + axis + " needs " + axis + " Zero and " + axis + " Max above 0, not '" +
                    std::string(bad) + "'");
    }
    return {log ? AxisKind::Log : AxisKind::Linear, values.Zero, values.Max};
}

std::optional<Axis> DateAxis(std::string_view zeroText, std::string_view maxText, bool log,
                             std::string_view name) {
    const auto zero = ReadDate(zeroText);
    const auto max = ReadDate(maxText);
    if (!zero || !max)
        return std::nullopt;
    if (log)
        throw Error("Log " + std::string(name) + " does not apply to dates");
    return Axis{AxisKind::Time, *zero, *max};
}

long double ValueAt(const Axis &axis, long double fraction) {
    if (axis.Kind == AxisKind::Log) {
        const long double zero = std::log10(static_cast<long double>(axis.Zero));
        const long double max = std::log10(static_cast<long double>(axis.Max));
        return std::pow(10.0L, zero + fraction * (max - zero));
    }
    return axis.Zero + fraction * (static_cast<long double>(axis.Max) - axis.Zero);
}

long double FractionOf(const Axis &axis, long double value) {
    if (axis.Kind == AxisKind::Log) {
        if (!(value > 0))
            throw Error("A logarithmic axis holds only values above 0");
        const long double zero = std::log10(static_cast<long double>(axis.Zero));
        return (std::log10(value) - zero) / (std::log10(static_cast<long double>(axis.Max)) - zero);
    }
    return (value - axis.Zero) / (static_cast<long double>(axis.Max) - axis.Zero);
}

double WorthPerPixel(const Axis &axis, double pixels) {
    const double span =
        axis.Kind == AxisKind::Log ? std::log10(axis.Max / axis.Zero) : axis.Max - axis.Zero;
    return std::fabs(span / pixels);
}

} // namespace digitize
