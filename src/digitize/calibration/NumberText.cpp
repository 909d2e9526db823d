#include "digitize/calibration/NumberText.h"

#include <array>
#include <charconv>
#include <cmath>
#include <string_view>

namespace digitize {
namespace {

std::string PadLeft(std::string text, int minWidth) {
    const auto width = static_cast<std::size_t>(minWidth < 0 ? 0 : minWidth);
    if (text.size() < width)
        text.insert(0, width - text.size(), ' ');
    return text;
}

// Adds one unit in the last place of a string of decimal digits and a point.
void IncrementDigits(std::string &digits) {
    for (auto i = digits.size(); i-- > 0;) {
        if (digits[i] == '.')
            continue;
        if (digits[i] != '9') {
            ++digits[i];
            return;
        }
        digits[i] = '0';
    }
    digits.insert(0, 1, '1');
}

} // namespace

std::string FixedText(double value, int decimals, int minWidth) {
    if (std::isnan(value))
        return PadLeft("NAN", minWidth);
    if (std::isinf(value))
        return PadLeft(value < 0 ? "-INF" : "INF", minWidth);

    const bool negative = std::signbit(value) && value != 0.0;
    const double magnitude = std::fabs(value);
    if (decimals < 0)
        decimals = 0;

    // A double's exact decimal expansion has at most 1074 fractional digits
    // and 309 integer digits: print all of them, then round by hand so that
    // halves go away from zero rather than to even.
    std::array<char, 1500> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                      std::chars_format::fixed, 1074);
    std::string_view exact(buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data()));

    const auto point = exact.find('.');
    const auto keep = point + (decimals > 0 ? 1 + static_cast<std::size_t>(decimals) : 0);
    std::string digits(exact.substr(0, keep));
    const char next = keep < exact.size() && exact[keep] == '.' ? exact[keep + 1]
                      : keep < exact.size()                     ? exact[keep]
                                                                : '0';
    if (next >= '5')
        IncrementDigits(digits);
    if (negative)
        digits.insert(0, 1, '-');
    return PadLeft(std::move(digits), minWidth);
}

std::string IntegerText(long long value, int minWidth) {
    return PadLeft(std::to_string(value), minWidth);
}

} // namespace digitize
