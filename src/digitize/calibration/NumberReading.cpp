#include "digitize/calibration/NumberReading.h"

#include <charconv>
#include <system_error>
#include <vector>

namespace digitize {
namespace {

constexpr std::string_view UnicodeMinus = "\xE2\x88\x92";

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// The texts that may part a number's digits: the two decimal marks, the
// regional decimal separator and the regional thousands separator (unless it
// is a blank: "1 950" stays two numbers).
class Marks {
  public:
    explicit Marks(const Separators &regional) : group_(regional.Group) {
        decimals_ = {".", ","};
        if (!regional.Decimal.empty() && regional.Decimal != "." && regional.Decimal != ",")
            decimals_.push_back(regional.Decimal);
        if (group_.size() == 1 && IsBlank(group_[0]))
            group_.clear();
    }

    // The mark that text starts with, if any.
    std::string_view At(std::string_view text) const {
        for (const std::string &mark : decimals_)
            if (text.starts_with(mark))
                return mark;
        if (!group_.empty() && text.starts_with(group_))
            return group_;
        return {};
    }
    bool Decimal(std::string_view mark) const {
        for (const std::string &d : decimals_)
            if (mark == d)
                return true;
        return false;
    }
    bool Group(std::string_view mark) const { return !group_.empty() && mark == group_; }

  private:
    std::vector<std::string> decimals_;
    std::string group_;
};

std::string Quoted(std::string_view text) {
    // Appended piece by piece: GCC 12 at -O3 warns falsely on "'" + string.
    std::string quoted;
    quoted.reserve(text.size() + 2);
    quoted.append(1, '\'').append(text).append(1, '\'');
    return quoted;
}

NumberReading Refused(std::string problem) {
    return {std::nullopt, std::move(problem)};
}

// The digits between the marks, and the marks.
struct Mantissa {
    std::vector<std::string> digits;
    std::vector<std::string_view> marks;
};

// "1,950" read with its one mark as the decimal point.
std::optional<std::string> AsDecimal(const Mantissa &m, const Marks &marks) {
    if (m.marks.size() != 1 || !marks.Decimal(m.marks[0]))
        return std::nullopt;
    return (m.digits[0].empty() ? "0" : m.digits[0]) + "." + m.digits[1];
}

// "1,234,567.5" read with thousands separators and at most a decimal point.
std::optional<std::string> AsGrouped(const Mantissa &m, const Marks &marks) {
    const std::string &first = m.digits[0];
    if (m.marks.empty() || first.empty() || first.size() > 3 || first[0] == '0')
        return std::nullopt;
    std::size_t groups = m.marks.size();
    std::string fraction;
    if (!marks.Group(m.marks.back())) {
        if (groups < 2 || !marks.Decimal(m.marks.back()))
            return std::nullopt;
        --groups;
        fraction = "." + m.digits.back();
    }
    std::string whole = first;
    for (std::size_t i = 0; i < groups; ++i) {
        if (!marks.Group(m.marks[i]) || m.digits[i + 1].size() != 3)
            return std::nullopt;
        whole += m.digits[i + 1];
    }
    return whole + fraction;
}

} // namespace

NumberReading ReadNumber(std::string_view text, const Separators &regional) {
    const Marks marks(regional);
    const auto n = text.size();
    // Where the digits start: a digit, or a mark or a sign before one.
    const auto digitsFrom = [&](std::size_t i) {
        if (i < n && IsDigit(text[i]))
            return true;
        const std::string_view mark = marks.At(text.substr(i));
        return !mark.empty() && i + mark.size() < n && IsDigit(text[i + mark.size()]);
    };
    std::size_t start = 0;
    std::size_t signSize = 0;
    for (; start < n; ++start) {
        const std::string_view rest = text.substr(start);
        signSize = rest.starts_with(UnicodeMinus)                        ? UnicodeMinus.size()
                   : !rest.empty() && (rest[0] == '+' || rest[0] == '-') ? 1
                                                                         : 0;
        if ((signSize > 0 && digitsFrom(start + signSize)) || digitsFrom(start)) {
            if (!digitsFrom(start + signSize))
                signSize = 0;
            break;
        }
    }
    if (start == n)
        return Refused(Quoted(text) + " holds no number");
    const std::string_view before = text.substr(0, start);
    if (before.find_first_of("+-") != std::string_view::npos ||
        before.find(UnicodeMinus) != std::string_view::npos)
        return Refused(Quoted(text) + " has a sign apart from its number");
    const bool negative = signSize > 0 && text[start] != '+';

    Mantissa m{{""}, {}};
    std::size_t i = start + signSize;
    while (i < n) {
        if (IsDigit(text[i])) {
            m.digits.back() += text[i++];
            continue;
        }
        const std::string_view mark = marks.At(text.substr(i));
        if (mark.empty())
            break;
        m.marks.push_back(mark);
        m.digits.emplace_back();
        i += mark.size();
    }
    std::string exponent;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < n && (text[j] == '+' || text[j] == '-'))
            ++j;
        if (j < n && IsDigit(text[j])) {
            exponent = text.substr(i + 1, j - i - 1);
            for (i = j; i < n && IsDigit(text[i]); ++i)
                exponent += text[i];
        }
    }
    const std::string_view after = text.substr(i);
    for (const char c : after)
        if (IsDigit(c) || c == '+' || c == '-')
            return Refused(Quoted(text) + " is not one number");
    if (after.find(UnicodeMinus) != std::string_view::npos)
        return Refused(Quoted(text) + " is not one number");

    std::optional<std::string> plain;
    if (m.marks.empty()) {
        plain = m.digits[0];
    } else {
        const auto decimal = AsDecimal(m, marks);
        const auto grouped = AsGrouped(m, marks);
        if (decimal && grouped)
            return Refused(Quoted(text) + " could be " + *grouped + " or " + *decimal);
        plain = decimal ? decimal : grouped;
    }
    if (!plain)
        return Refused(Quoted(text) + " is not one number");

    const std::string canonical =
        (negative ? "-" : "") + *plain + (exponent.empty() ? "" : "e") + exponent;
    long double value = 0;
    const char *first = canonical.data();
    const char *last = first + canonical.size();
    const auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        // Too small to hold reads as zero; too large is no number at all.
        if (!exponent.empty() && exponent[0] == '-')
            return {negative ? -0.0L : 0.0L, {}};
        return Refused(Quoted(text) + " is beyond the range of numbers");
    }
    if (ec != std::errc() || ptr != last)
        return Refused(Quoted(text) + " is not one number");
    return {value, {}};
}

} // namespace digitize
