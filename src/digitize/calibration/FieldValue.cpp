#include "digitize/calibration/FieldValue.h"

#include "digitize/Errors.h"
#include "digitize/search/Colour.h"

#include <cmath>
#include <limits>

namespace digitize {

long double ReadFieldValue(std::string_view text, const Separators &regional) {
    const NumberReading reading = ReadNumber(text, regional);
    if (!reading.Value)
        throw Error("'" + std::string(text) + "' is not a valid floating point value");
    return *reading.Value;
}

int ReadTolerance(std::string_view text, const Separators &regional) {
    const long double value = ReadFieldValue(text, regional);
    if (!(value >= MinTolerance && value <= MaxTolerance) || value != std::floor(value))
        throw Error("'" + std::string(text) + "' is not a colour tolerance from 1 to 255");
    return static_cast<int>(value);
}

std::optional<int> ToleranceOf(std::string_view text, const Separators &regional) {
    try {
        return ReadTolerance(text, regional);
    } catch (const Error &) {
        return std::nullopt;
    }
}

float ToSingle(long double value) {
    // Rounding to nearest reaches infinity from FLT_MAX plus half its last place.
    constexpr long double overflowAt =
        static_cast<long double>(std::numeric_limits<float>::max()) + 0x1p103L;
    if (!std::isinf(value) && std::fabs(value) >= overflowAt)
        throw Error("Floating point overflow");
    return static_cast<float>(value);
}

} // namespace digitize
