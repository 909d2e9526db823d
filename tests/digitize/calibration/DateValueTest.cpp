#include "digitize/calibration/DateValue.h"
#include "digitize/Errors.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using digitize::DatePrecision;

constexpr double Day = 86400;

TEST(ReadDate, ReadsDaysAndTimesOfDayAsSecondsSince1970) {
    struct Row {
        const char *text;
        double seconds;
    };
    const Row rows[] = {
        {"1970-01-01", 0},
        {"1970-01-02", Day},
        {"1969-12-31", -Day},
        {"2020-03-15", 18336 * Day},
        {"2020-03-15 14:30", 18336 * Day + 14 * 3600 + 30 * 60},
        {"2020-03-15T14:30", 18336 * Day + 14 * 3600 + 30 * 60},
        {"2020-03-15 14:30:05", 18336 * Day + 14 * 3600 + 30 * 60 + 5},
        {"  2020-03-15  ", 18336 * Day},
        {"2000-02-29", 11016 * Day},
        {"0000-01-01", -719528 * Day},
        {"9999-12-31 23:59", 2932896 * Day + 23 * 3600 + 59 * 60},
    };
    for (const Row &row : rows) {
        const auto got = digitize::ReadDate(row.text);
        ASSERT_TRUE(got.has_value()) << row.text;
        EXPECT_EQ(*got, row.seconds) << row.text;
    }
}

TEST(ReadDate, RefusesWhatIsNotADate) {
    for (const char *text : {"",
                             "2020",
                             "100",
                             "2020-3-15",
                             "20-03-15",
                             "2020/03/15",
                             "2020-13-01",
                             "2020-00-10",
                             "2021-02-29",
                             "2020-04-31",
                             "2020-03-15 24:00",
                             "2020-03-15 14:60",
                             "2020-03-15 14",
                             "2020-03-15 14:30:60",
                             "2020-03-15x",
                             "2020-03-15  14:30",
                             "-2020-03-15",
                             "2020-03-15\t",
                             "1e3",
                             "2020-03-15T"})
        EXPECT_FALSE(digitize::ReadDate(text).has_value()) << '"' << text << '"';
}

TEST(PrecisionFor, GivesTheCoarsestUnitWorthAtMostAPixel) {
    struct Row {
        double secondsPerPixel;
        DatePrecision precision;
    };
    const Row rows[] = {{30 * Day, DatePrecision::Day}, {Day, DatePrecision::Day},
                        {Day - 1, DatePrecision::Hour}, {3600, DatePrecision::Hour},
                        {3599, DatePrecision::Minute},  {60, DatePrecision::Minute},
                        {0.5, DatePrecision::Minute}};
    for (const Row &row : rows)
        EXPECT_EQ(digitize::PrecisionFor(row.secondsPerPixel), row.precision)
            << row.secondsPerPixel << " s a pixel";
}

TEST(DateText, WritesIso8601RoundedToItsLastField) {
    const double noon = 18336 * Day + 12 * 3600;
    struct Row {
        double seconds;
        DatePrecision precision;
        const char *text;
    };
    const Row rows[] = {
        {18336 * Day, DatePrecision::Day, "2020-03-15"},
        {noon - 1, DatePrecision::Day, "2020-03-15"},
        {noon, DatePrecision::Day, "2020-03-16"}, // halves go later
        {noon + 29 * 60 + 59, DatePrecision::Hour, "2020-03-15T12"},
        {noon + 30 * 60, DatePrecision::Hour, "2020-03-15T13"},
        {noon + 30 * 60 + 29.9, DatePrecision::Minute, "2020-03-15T12:30"},
        {noon + 30 * 60 + 30, DatePrecision::Minute, "2020-03-15T12:31"},
        {18336 * Day - 20, DatePrecision::Minute, "2020-03-15T00:00"},
        {-Day - 1, DatePrecision::Minute, "1969-12-31T00:00"},
        {-1, DatePrecision::Hour, "1970-01-01T00"},
        {-3601, DatePrecision::Hour, "1969-12-31T23"},
        {-719528 * Day, DatePrecision::Day, "0000-01-01"},
        {2932896 * Day + 86369, DatePrecision::Minute, "9999-12-31T23:59"},
    };
    for (const Row &row : rows)
        EXPECT_EQ(digitize::DateText(row.seconds, row.precision), row.text) << row.seconds << " s";
}

TEST(DateText, RefusesYearsISO8601DoesNotWriteWithFourDigits) {
    for (const double seconds : {-719528 * Day - 60, 2932897 * Day, 1e300, -1e300})
        EXPECT_THROW(digitize::DateText(seconds, DatePrecision::Minute), digitize::Error)
            << seconds;
    EXPECT_THROW(digitize::DateText(std::nan(""), DatePrecision::Day), digitize::Error);
}

TEST(DateText, ReadsBackWhatItWrites) {
    for (const char *text : {"1999-12-31T23:59", "2024-02-29T00:01", "1900-03-01T12:00"}) {
        const auto seconds = digitize::ReadDate(text);
        ASSERT_TRUE(seconds) << text;
        EXPECT_EQ(digitize::DateText(*seconds, DatePrecision::Minute), text);
    }
}

} // namespace
