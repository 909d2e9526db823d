// Any text typed or pasted into an axis value field: reading it must never
// crash, and must keep its promises, which are checked here (a broken one
// traps, so libFuzzer keeps the input).
#include "digitize/Errors.h"
#include "digitize/calibration/FieldValue.h"
#include "digitize/calibration/NumberReading.h"

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

const digitize::Separators Point{".", ","};
const digitize::Separators Comma{",", "."};
// U+066B ARABIC DECIMAL SEPARATOR: a regional separator of two bytes.
const digitize::Separators Arabic{"\xD9\xAB", ","};

// The value, or nothing; the reading says why exactly when there is nothing,
// and the field's reading throws exactly then (any other exception escapes
// and is a finding).
std::optional<long double> Read(std::string_view text, const digitize::Separators &regional) {
    const digitize::NumberReading reading = digitize::ReadNumber(text, regional);
    Check(reading.Value.has_value() == reading.Problem.empty());
    // The problem starts with the text in quotes (compared in place: GCC 12
    // at -O3 warns falsely on "'" + string).
    const std::string_view problem = reading.Problem;
    Check(problem.empty() ||
          (problem.size() >= text.size() + 2 && problem.front() == '\'' &&
           problem.substr(1, text.size()) == text && problem[text.size() + 1] == '\''));
    bool thrown = false;
    try {
        Check(digitize::ReadFieldValue(text, regional) == reading.Value);
    } catch (const digitize::Error &) {
        thrown = true;
    }
    Check(thrown != reading.Value.has_value());
    if (!reading.Value)
        return std::nullopt;
    // The grammar has no words for infinity or NaN, and values beyond the
    // range are refused.
    Check(std::isfinite(*reading.Value));
    try {
        Check(std::isfinite(digitize::ToSingle(*reading.Value)));
    } catch (const digitize::Error &) {
        Check(std::fabs(*reading.Value) > FLT_MAX);
    }
    return reading.Value;
}

// The text with "." and "," exchanged.
std::string Swapped(std::string_view text) {
    std::string out(text);
    for (char &c : out)
        c = c == '.' ? ',' : c == ',' ? '.' : c;
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    const auto point = Read(text, Point);
    // The two marks play the same parts with the regions' roles exchanged.
    Check(Read(Swapped(text), Comma) == point);
    // A text without a thousands mark reads the same in every region.
    if (text.find(',') == std::string_view::npos && text.find('\xD9') == std::string_view::npos)
        Check(Read(text, Arabic) == point);
    return 0;
}
