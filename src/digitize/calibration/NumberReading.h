// What the text of an axis value field says: one number, or why it says
// none. The text is never changed; it is read as the user meant it.
//
// A number is an optional sign, digits with a decimal point or a decimal
// comma (either, whatever the regional settings; also the regional decimal
// separator when it is another character) and an optional exponent
// ("1e3", "2.5E-4"). Around it may stand blanks and a unit word or symbol
// without digits or signs ("1950 yrs", "$ 12", "5 %"). A thousands separator
// is read only where it is the regional one and every group after the first
// has three digits ("1,234,567.5" with a regional ","); where a text then
// reads two ways ("1,950": 1950 or 1.95) it is refused, not guessed. Texts
// are UTF-8; blanks are spaces and tabs.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace digitize {

// The regional settings' separators, in UTF-8.
struct Separators {
    std::string Decimal = ".";
    std::string Group = ",";
};

struct NumberReading {
    std::optional<long double> Value;
    std::string Problem; // why there is no value, for the user; empty with a value
};

NumberReading ReadNumber(std::string_view text, const Separators &regional);

} // namespace digitize
