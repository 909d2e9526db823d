// The recorded points of the log, found by what they are wherever the user
// has edited the log: the lines a save writes and the close question counts.
#pragma once

#include <string>
#include <string_view>

namespace digitize {

// A coordinate line as the readout writes it, "X , Y": two numbers around a
// comma, blanks (and a carriage return) allowed around each. A number is
// fixed-point with any count of decimals, a sign and an exponent allowed
// ("-0.5", "12", "1.5e-7"), NAN, INF or -INF, or a date as an X value
// ("2020-03-15", with a time "2020-03-15 14:30" or "2020-03-15T14:30:05").
bool IsCoordLine(std::string_view line);

// The coordinate lines of the log in their order, exactly as they stand,
// each ending with "\n"; empty when there is none.
std::string RecordedText(std::string_view log);

} // namespace digitize
