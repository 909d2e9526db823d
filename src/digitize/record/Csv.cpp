#include "digitize/record/Csv.h"

#include <algorithm>

namespace digitize {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The digits from `at` on; returns where they end.
std::size_t SkipDigits(std::string_view s, std::size_t at) {
    while (at < s.size() && IsDigit(s[at]))
        ++at;
    return at;
}

} // namespace

char SeparatorFor(char decimalMark) {
    return decimalMark == ',' ? ';' : ',';
}

std::string CsvField(std::string_view text, char separator) {
    const bool quoted = std::any_of(text.begin(), text.end(), [separator](char c) {
        return c == separator || c == '"' || c == '\r' || c == '\n';
    });
    if (!quoted)
        return std::string(text);
    std::string field = "\"";
    for (const char c : text) {
        if (c == '"')
            field += '"';
        field += c;
    }
    field += '"';
    return field;
}

bool IsNumberCell(std::string_view cell) {
    std::size_t at = cell.starts_with('-') ? 1 : 0;
    const std::size_t intStart = at;
    at = SkipDigits(cell, at);
    std::size_t digits = at - intStart;
    if (at < cell.size() && cell[at] == '.') {
        const std::size_t fracStart = at + 1;
        at = SkipDigits(cell, fracStart);
        digits += at - fracStart;
    }
    if (digits == 0)
        return false;
    if (at < cell.size() && (cell[at] == 'e' || cell[at] == 'E')) {
        ++at;
        if (at < cell.size() && (cell[at] == '+' || cell[at] == '-'))
            ++at;
        const std::size_t expStart = at;
        at = SkipDigits(cell, at);
        if (at == expStart)
            return false;
    }
    return at == cell.size();
}

std::string WithDecimalMark(std::string_view cell, char decimalMark) {
    std::string text(cell);
    if (decimalMark != '.' && IsNumberCell(cell))
        std::replace(text.begin(), text.end(), '.', decimalMark);
    return text;
}

} // namespace digitize
