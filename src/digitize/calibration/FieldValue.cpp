#include "digitize/calibration/FieldValue.h"

#include "digitize/Errors.h"
#include "digitize/search/Colour.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace digitize {
namespace {

constexpr std::size_t MaxFilteredLength = 15;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

[[noreturn]] void NotANumber(std::string_view text) {
    throw Error("'" + std::string(text) + "' is not a valid floating point value");
}

} // namespace

std::string FilterNumber(std::string_view text) {
    std::string out;
    bool pointSeen = false;
    for (const char c : text) {
        if (out.size() == MaxFilteredLength)
            break;
        if (c == '-') {
            if (out.empty())
                out += c;
        } else if (c == '.') {
            if (!pointSeen)
                out += c;
            pointSeen = true;
        } else if (IsDigit(c)) {
            out += c;
        }
    }
    return out;
}

long double ReadFieldValue(std::string_view text, std::string_view decimalSeparator) {
    // Build a canonical "-ddd.ddde-ddd" text for from_chars while checking the grammar.
    std::string canonical;
    std::size_t i = 0;
    const auto n = text.size();
    while (i < n && text[i] == ' ')
        ++i;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-')
            canonical += '-';
        ++i;
    }
    bool anyMantissa = false;
    while (i < n && IsDigit(text[i])) {
        canonical += text[i++];
        anyMantissa = true;
    }
    if (!decimalSeparator.empty() && text.substr(i).starts_with(decimalSeparator)) {
        i += decimalSeparator.size();
        anyMantissa = true;
        canonical += '.';
        while (i < n && IsDigit(text[i]))
            canonical += text[i++];
    }
    if (!anyMantissa)
        NotANumber(text);
    // "0" keeps from_chars happy with a lone separator or a bare "-.".
    canonical.insert(canonical.starts_with('-') ? 1 : 0, "0");

    if (i < n && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        std::string exponent;
        if (i < n && (text[i] == '+' || text[i] == '-')) {
            if (text[i] == '-')
                exponent += '-';
            ++i;
        }
        bool anyExponent = false;
        while (i < n && IsDigit(text[i])) {
            exponent += text[i++];
            anyExponent = true;
        }
        if (anyExponent)
            canonical += "e" + exponent;
    }
    while (i < n && text[i] == ' ')
        ++i;
    if (i != n)
        NotANumber(text);

    long double value = 0;
    const auto *first = canonical.data();
    const auto *last = first + canonical.size();
    const auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        // Too small to represent reads as zero; too large is not a number.
        const auto e = canonical.find('e');
        if (e != std::string::npos && canonical[e + 1] == '-')
            return canonical.starts_with('-') ? -0.0L : 0.0L;
        NotANumber(text);
    }
    if (ec != std::errc() || ptr != last)
        NotANumber(text);
    return value;
}

int ReadTolerance(std::string_view text, std::string_view decimalSeparator) {
    const long double value = ReadFieldValue(text, decimalSeparator);
    if (!(value >= MinTolerance && value <= MaxTolerance) || value != std::floor(value))
        throw Error("'" + std::string(text) + "' is not a colour tolerance from 1 to 255");
    return static_cast<int>(value);
}

std::optional<int> ToleranceOf(std::string_view text, std::string_view decimalSeparator) {
    try {
        return ReadTolerance(text, decimalSeparator);
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
