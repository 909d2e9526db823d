// Any text typed or pasted into an axis value field: the clean-up and the
// reading of the value must never crash, and must keep their promises, which
// are checked here (a broken one traps, so libFuzzer keeps the input).
#include "digitize/Errors.h"
#include "digitize/calibration/FieldValue.h"

#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace {

void Check(bool holds) {
    if (!holds)
        __builtin_trap();
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// U+066B ARABIC DECIMAL SEPARATOR: a regional separator of two bytes.
constexpr std::string_view ArabicSeparator = "\xD9\xAB";

// The value, or nothing when ReadFieldValue refused the text with Error (any
// other exception escapes and is a finding).
std::optional<long double> Read(std::string_view text, std::string_view separator) {
    long double value = 0;
    try {
        value = digitize::ReadFieldValue(text, separator);
    } catch (const digitize::Error &) {
        return std::nullopt;
    }
    // The grammar has no words for infinity or NaN, and values beyond the
    // range are refused.
    Check(std::isfinite(value));
    try {
        Check(std::isfinite(digitize::ToSingle(value)));
    } catch (const digitize::Error &) {
        Check(std::fabs(value) > FLT_MAX);
    }
    return value;
}

void CheckFilterNumber(std::string_view text) {
    const std::string kept = digitize::FilterNumber(text);
    Check(kept.size() <= 15);
    bool point = false;
    for (std::size_t i = 0; i < kept.size(); ++i) {
        const char c = kept[i];
        if (c == '-') {
            Check(i == 0);
        } else if (c == '.') {
            Check(!point);
            point = true;
        } else {
            Check(IsDigit(c));
        }
    }
    Check(digitize::FilterNumber(kept) == kept);

    // Kept characters come from the text, in order; below the length cap no
    // digit was dropped.
    std::size_t from = 0;
    for (const char c : kept) {
        from = text.find(c, from);
        Check(from != std::string_view::npos);
        ++from;
    }
    if (kept.size() < 15) {
        std::size_t digitsIn = 0, digitsKept = 0;
        for (const char c : text)
            digitsIn += IsDigit(c) ? 1u : 0u;
        for (const char c : kept)
            digitsKept += IsDigit(c) ? 1u : 0u;
        Check(digitsIn == digitsKept);
    }

    // What the clean-up leaves in a field always reads back as a number.
    if (!kept.empty() && kept != "-")
        Check(Read(kept, ".").has_value());
}

std::string Replaced(std::string_view text, char from, std::string_view to) {
    std::string out;
    for (const char c : text) {
        if (c == from)
            out += to;
        else
            out += c;
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    CheckFilterNumber(text);

    const auto point = Read(text, ".");
    const auto comma = Read(text, ",");
    const auto arabic = Read(text, ArabicSeparator);
    (void)Read(text, "");

    // The separator is only a spelling: the same number written with another
    // one reads the same, and text without any separator reads the same
    // whichever one the region uses.
    const bool hasComma = text.find(',') != std::string_view::npos;
    const bool hasLead = text.find('\xD9') != std::string_view::npos;
    if (!hasComma)
        Check(Read(Replaced(text, '.', ","), ",") == point);
    if (!hasLead)
        Check(Read(Replaced(text, '.', ArabicSeparator), ArabicSeparator) == point);
    if (!hasComma && !hasLead && text.find('.') == std::string_view::npos) {
        Check(comma == point);
        Check(arabic == point);
    }
    return 0;
}
