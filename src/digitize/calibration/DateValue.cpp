#include "digitize/calibration/DateValue.h"

#include "digitize/Errors.h"

#include <chrono>
#include <cmath>
#include <cstdio>

namespace digitize {
namespace {

constexpr double Minute = 60;
constexpr double Hour = 3600;
constexpr double Day = 86400;
// 0000-01-01 and 10000-01-01, in seconds since 1970.
constexpr double FirstTime = -719528.0 * Day;
constexpr double EndTime = 2932897.0 * Day;

// Reads exactly `count` digits at `at`, moving past them.
std::optional<int> Digits(std::string_view text, std::size_t &at, int count) {
    if (at + static_cast<std::size_t>(count) > text.size())
        return std::nullopt;
    int value = 0;
    for (int i = 0; i < count; ++i) {
        const char c = text[at++];
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

bool Take(std::string_view text, std::size_t &at, char c) {
    if (at < text.size() && text[at] == c) {
        ++at;
        return true;
    }
    return false;
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

// The time of day after the date, as seconds; nothing when malformed.
std::optional<int> TimeOfDay(std::string_view text, std::size_t &at) {
    const auto hours = Digits(text, at, 2);
    if (!hours || *hours > 23 || !Take(text, at, ':'))
        return std::nullopt;
    const auto minutes = Digits(text, at, 2);
    if (!minutes || *minutes > 59)
        return std::nullopt;
    int seconds = 0;
    if (Take(text, at, ':')) {
        const auto s = Digits(text, at, 2);
        if (!s || *s > 59)
            return std::nullopt;
        seconds = *s;
    }
    return *hours * 3600 + *minutes * 60 + seconds;
}

} // namespace

std::optional<double> ReadDate(std::string_view text) {
    text = Trimmed(text);
    std::size_t at = 0;
    const auto year = Digits(text, at, 4);
    if (!year || !Take(text, at, '-'))
        return std::nullopt;
    const auto month = Digits(text, at, 2);
    if (!month || !Take(text, at, '-'))
        return std::nullopt;
    const auto day = Digits(text, at, 2);
    if (!day)
        return std::nullopt;
    const std::chrono::year_month_day date{std::chrono::year{*year},
                                           std::chrono::month{static_cast<unsigned>(*month)},
                                           std::chrono::day{static_cast<unsigned>(*day)}};
    if (!date.ok())
        return std::nullopt;
    int seconds = 0;
    if (at < text.size()) {
        if (!Take(text, at, ' ') && !Take(text, at, 'T'))
            return std::nullopt;
        const auto time = TimeOfDay(text, at);
        if (!time || at != text.size())
            return std::nullopt;
        seconds = *time;
    }
    const auto days = std::chrono::sys_days{date}.time_since_epoch().count();
    return static_cast<double>(days) * Day + seconds;
}

DatePrecision PrecisionFor(double secondsPerPixel) {
    if (secondsPerPixel >= Day)
        return DatePrecision::Day;
    if (secondsPerPixel >= Hour)
        return DatePrecision::Hour;
    return DatePrecision::Minute;
}

std::string DateText(double seconds, DatePrecision precision) {
    const double unit = precision == DatePrecision::Day    ? Day
                        : precision == DatePrecision::Hour ? Hour
                                                           : Minute;
    const double rounded = std::floor(seconds / unit + 0.5) * unit;
    if (!(rounded >= FirstTime && rounded < EndTime))
        throw Error("A date outside the years 0000 to 9999 cannot be written");
    const auto minutes = static_cast<long long>(rounded / Minute);
    const std::chrono::sys_time<std::chrono::minutes> time{std::chrono::minutes{minutes}};
    const auto dayStart = std::chrono::floor<std::chrono::days>(time);
    const std::chrono::year_month_day date{dayStart};
    const auto inDay = (time - dayStart).count();
    char text[48];
    int length =
        std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(date.year()),
                      static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    if (precision == DatePrecision::Hour)
        length += std::snprintf(text + length, sizeof text - static_cast<std::size_t>(length),
                                "T%02lld", static_cast<long long>(inDay / 60));
    else if (precision == DatePrecision::Minute)
        length += std::snprintf(text + length, sizeof text - static_cast<std::size_t>(length),
                                "T%02lld:%02lld", static_cast<long long>(inDay / 60),
                                static_cast<long long>(inDay % 60));
    return std::string(text, static_cast<std::size_t>(length));
}

} // namespace digitize
