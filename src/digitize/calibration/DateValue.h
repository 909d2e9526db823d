// Dates along an axis: reading a date typed into a field and writing a time
// as an ISO 8601 text.
//
// A time is a count of seconds since 1970-01-01 00:00, held in a double
// (a float would lose minutes: it holds 7 digits, a date needs 10). Times
// carry no zone: what is typed is what is written back.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace digitize {

// "2020-03-15", "2020-03-15 14:30" or "2020-03-15T14:30", seconds optional
// ("14:30:05"), blanks around; a four-digit year, a day that exists in its
// month, hours 0 to 23, minutes and seconds 0 to 59. Nothing for any other text.
std::optional<double> ReadDate(std::string_view text);

// The last field a date text writes.
enum class DatePrecision { Day, Hour, Minute };

// The coarsest of day, hour and minute whose unit is worth at most one
// pixel, for an axis on which a pixel is worth secondsPerPixel (minute when
// even a minute is worth more).
DatePrecision PrecisionFor(double secondsPerPixel);

// The time rounded to the nearest unit of its precision, halves later:
// "2020-03-15", "2020-03-15T14" or "2020-03-15T14:30". Throws Error for a
// time outside the years 0000 to 9999, which ISO 8601 writes only by agreement.
std::string DateText(double seconds, DatePrecision precision);

} // namespace digitize
