// Reading the axis value fields and the colour tolerance field: the text as
// the user typed it, by the number grammar of NumberReading.h.
#pragma once

#include "digitize/calibration/NumberReading.h"

#include <optional>
#include <string>
#include <string_view>

namespace digitize {

// The field's number; throws Error("'<text>' is not a valid floating point
// value") when the text says no one number (NumberReading says why).
long double ReadFieldValue(std::string_view text, const Separators &regional);

// Reads the colour tolerance field by the same rules: a whole number from 1
// to 255. Throws the rules' error for a text that is not a number, and
// Error("'<text>' is not a colour tolerance from 1 to 255") for any other value.
int ReadTolerance(std::string_view text, const Separators &regional);
// The same, with nothing where ReadTolerance throws.
std::optional<int> ToleranceOf(std::string_view text, const Separators &regional);

// Stores a value as a 32-bit float; throws Error("Floating point overflow")
// when it lies beyond the float range.
float ToSingle(long double value);

} // namespace digitize
