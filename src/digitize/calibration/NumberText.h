// Fixed-point number texts for the readout, the log and the steps label.
//
// The text is independent of the locale: "." is the decimal point, there is
// no decimal point with 0 decimals and at least one digit before it. The value
// is rounded half away from zero on its exact binary value (2.5 -> "3",
// -2.5 -> "-3"); a negative value keeps its "-" even when it rounds to zero
// (-0.04 with 1 decimal -> "-0.0"). The text is right-aligned with blanks in
// at least minWidth characters and never cut.
#pragma once

#include <string>

namespace digitize {

std::string FixedText(double value, int decimals, int minWidth);

// Integers follow the same rule with no decimals.
std::string IntegerText(long long value, int minWidth);

} // namespace digitize
