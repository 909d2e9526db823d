#include "digitize/calibration/AxisText.h"

#include "digitize/calibration/DateValue.h"
#include "digitize/calibration/Decimals.h"
#include "digitize/calibration/NumberText.h"
#include "digitize/calibration/Rounding.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace digitize {
namespace {

constexpr int FewestDigits = 2;
constexpr int MostDigits = 15;
// A pixel worth exactly one unit of the last digit must count as worth it.
constexpr double Slack = 1e-9;

std::string PadLeft(std::string text, int minWidth) {
    if (text.size() < static_cast<std::size_t>(minWidth))
        text.insert(0, static_cast<std::size_t>(minWidth) - text.size(), ' ');
    return text;
}

std::string Scientific(double value, int digits) {
    std::array<char, 64> buffer{};
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                   std::chars_format::scientific, digits - 1)
                         .ptr;
    return std::string(buffer.data(), end);
}

// The decimal exponent of the value once rounded to `digits` significant digits.
int Exponent(double value, int digits) {
    const std::string text = Scientific(value, digits);
    return std::atoi(text.c_str() + text.find('e') + 1);
}

// The decimals of a linear axis; the two-point rule applied to the pixel
// lengths of the axes between their reference points.
Decimals LinearDecimals(const Calibration &c, bool integerX, double pixelFractionY) {
    const Frame &f = c.Pixels();
    Point zero{Round(f.Zero().X), Round(f.Zero().Y)};
    Point max{Round(f.Max().X), Round(f.Max().Y)};
    if (f.Third()) {
        zero = {0, Round(f.YLength())};
        max = {Round(f.XLength()), 0};
    }
    const auto values = [](const Axis &axis) {
        return AxisValues{static_cast<float>(axis.Zero), static_cast<float>(axis.Max)};
    };
    return CoordDecimals(zero, max, values(c.X()), values(c.Y()), integerX, pixelFractionY);
}

std::string AxisValueText(const Axis &axis, double value, double pixels, int decimals, bool integer,
                          int minWidth) {
    switch (axis.Kind) {
    case AxisKind::Linear:
        break;
    case AxisKind::Log:
        if (integer)
            break;
        return SignificantText(value, LogDigits(WorthPerPixel(axis, pixels)), minWidth);
    case AxisKind::Time:
        return PadLeft(DateText(value, PrecisionFor(WorthPerPixel(axis, pixels))), minWidth);
    }
    return FixedText(value, integer ? 0 : decimals, minWidth);
}

} // namespace

int LogDigits(double decadesPerPixel) {
    if (!(decadesPerPixel > 0) || !std::isfinite(decadesPerPixel))
        return FewestDigits;
    // A value m * 10^e changes by at least 10^e * (10^d - 1) a pixel; the last
    // of s digits is worth 10^(e + 1 - s).
    const double change = std::expm1(decadesPerPixel * std::log(10.0));
    const auto digits = static_cast<int>(std::ceil(1.0 - std::log10(change) - Slack));
    return std::clamp(digits, FewestDigits, MostDigits);
}

std::string SignificantText(double value, int digits, int minWidth) {
    if (!(value > 0) || !std::isfinite(value))
        return FixedText(value, 0, minWidth);
    const int exponent = Exponent(value, digits);
    if (exponent < -5 || exponent >= 15)
        return PadLeft(Scientific(value, digits), minWidth);
    return FixedText(value, std::max(0, digits - 1 - exponent), minWidth);
}

std::string StepLabel(const Axis &x, int n) {
    const std::string steps = IntegerText(n, 3) + " Steps = ";
    if (x.Kind == AxisKind::Log)
        return steps + "x" + SignificantText(std::pow(x.Max / x.Zero, 1.0 / n), 3, 0);
    const double seconds = std::fabs(x.Max - x.Zero) / n;
    struct Unit {
        double seconds;
        const char *name;
    };
    static constexpr Unit Units[] = {{86400, " d"}, {3600, " h"}, {60, " min"}};
    for (const Unit &unit : Units)
        if (seconds >= unit.seconds || unit.seconds == 60)
            return steps + FixedText(seconds / unit.seconds, 1, 3) + unit.name;
    return steps;
}

std::string ReadingText(const Calibration &calibration, GraphPoint reading, bool integerX,
                        double pixelFractionY) {
    const Decimals decimals = LinearDecimals(calibration, integerX, pixelFractionY);
    const Frame &f = calibration.Pixels();
    return AxisValueText(calibration.X(), reading.X, f.XLength(), decimals.X, integerX, 3) + " , " +
           AxisValueText(calibration.Y(), reading.Y, f.YLength() / pixelFractionY, decimals.Y,
                         false, 5);
}

} // namespace digitize
