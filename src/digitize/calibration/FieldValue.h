// The axis value fields: the clean-up applied when the user leaves a field,
// and the reading of a field's text as a number.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace digitize {

// Keeps the characters of a plain decimal number, left to right: a "-" only
// as the first accepted character, the first "." only, every digit; drops the
// rest. At most 15 characters are kept (the rest are dropped).
std::string FilterNumber(std::string_view text);

// Reads a field's text: leading blanks, an optional sign, digits with at most
// one decimal separator (a lone separator reads 0), an optional exponent
// ("E" with no digits is ignored), trailing blanks. Blanks are spaces only.
// The separator is the regional one, given in UTF-8.
// Throws Error("'<text>' is not a valid floating point value") otherwise,
// also for a value beyond the extended range.
long double ReadFieldValue(std::string_view text, std::string_view decimalSeparator);

// Reads the colour tolerance field by the same rules: a whole number from 1
// to 255. Throws the rules' error for a text that is not a number, and
// Error("'<text>' is not a colour tolerance from 1 to 255") for any other value.
int ReadTolerance(std::string_view text, std::string_view decimalSeparator);
// The same, with nothing where ReadTolerance throws.
std::optional<int> ToleranceOf(std::string_view text, std::string_view decimalSeparator);

// Stores a value as a 32-bit float; throws Error("Floating point overflow")
// when it lies beyond the float range.
float ToSingle(long double value);

} // namespace digitize
