// What an axis field's text says: the number the user meant, or why none.
#include "digitize/calibration/NumberReading.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using digitize::Separators;

const Separators Point{".", ","};             // 1,234.5
const Separators Comma{",", "."};             // 1.234,5
const Separators Swiss{".", "'"};             // 1'234.5
const Separators French{",", "\xE2\x80\xAF"}; // 1 234,5 with a narrow no-break space

TEST(ReadNumber, ReadsTheNumberTheUserMeant) {
    struct Row {
        const char *text;
        long double value;
    };
    const Row rows[] = {
        {"12.5", 12.5L},
        {"12,5", 12.5L},
        {"1,5", 1.5L},
        {"0,001", 0.001L},
        {"1e3", 1000},
        {"2.5E-4", 2.5e-4L},
        {"1,5e3", 1500},
        {"-3.25", -3.25L},
        {"+3", 3},
        {"  12.5  ", 12.5L},
        {"\t7\t", 7},
        {"1950 yrs", 1950},
        {" 1950yrs ", 1950},
        {"$ 12", 12},
        {"5 %", 5},
        {"ca. 5", 5},
        {"x = -1", -1},
        {".5", 0.5L},
        {",5", 0.5L},
        {"5.", 5},
        {"000", 0},
        {"100", 100},
        {"1,234,567.5", 1234567.5L},
        {"1,950.5", 1950.5L},
        {"12,50", 12.5L},
        {"1.950", 1.95L},
        {"2e", 2},
        {"1e5e", 1e5L},
        {"\xE2\x88\x92"
         "4",
         -4},
        {"1e-99999", 0},
        {"12345678901234567890", 12345678901234567890.0L},
        {"-1.23456789012345678", -1.23456789012345678L},
    };
    for (const Row &row : rows) {
        const auto reading = digitize::ReadNumber(row.text, Point);
        ASSERT_TRUE(reading.Value.has_value()) << "'" << row.text << "': " << reading.Problem;
        EXPECT_EQ(*reading.Value, row.value) << "'" << row.text << "'";
        EXPECT_TRUE(reading.Problem.empty());
    }
}

TEST(ReadNumber, RefusesWhatSaysNoOneNumberAndSaysWhy) {
    struct Row {
        const char *text;
        const char *problem;
    };
    const Row rows[] = {
        {"", "'' holds no number"},
        {"   ", "'   ' holds no number"},
        {"abc", "'abc' holds no number"},
        {".", "'.' holds no number"},
        {"-", "'-' holds no number"},
        {"inf", "'inf' holds no number"},
        {"1,950", "'1,950' could be 1950 or 1.950"},
        {" 1,950 yrs", "' 1,950 yrs' could be 1950 or 1.950"},
        {"-2,500", "'-2,500' could be 2500 or 2.500"},
        {"123,456", "'123,456' could be 123456 or 123.456"},
        {"5.5.5", "'5.5.5' is not one number"},
        {"-3.2.1", "'-3.2.1' is not one number"},
        {"1..2", "'1..2' is not one number"},
        {"1,2,3", "'1,2,3' is not one number"},
        {"0,001,000", "'0,001,000' is not one number"},
        {"1 2", "'1 2' is not one number"},
        {"1 950", "'1 950' is not one number"},
        {"5-2", "'5-2' is not one number"},
        {"0x10", "'0x10' is not one number"},
        {"5 +/- 1", "'5 +/- 1' is not one number"},
        {"2e-", "'2e-' is not one number"},
        {"- 1", "'- 1' has a sign apart from its number"},
        {"--1", "'--1' has a sign apart from its number"},
        {"1e99999999999999999999", "'1e99999999999999999999' is beyond the range of numbers"},
    };
    for (const Row &row : rows) {
        const auto reading = digitize::ReadNumber(row.text, Point);
        EXPECT_FALSE(reading.Value.has_value()) << "'" << row.text << "'";
        EXPECT_EQ(reading.Problem, row.problem);
    }
}

TEST(ReadNumber, TheRegionalSettingsSayOnlyWhichMarkMayGroupThousands) {
    struct Row {
        const Separators *regional;
        const char *text;
        const char *value; // empty: refused
    };
    const Row rows[] = {
        {&Point, "12.5", "12.5"},
        {&Comma, "12.5", "12.5"},
        {&Comma, "12,5", "12.5"},
        {&Comma, "1,950", "1.95"},
        {&Comma, "1.950", ""},
        {&Comma, "1.234.567,5", "1234567.5"},
        {&Swiss, "1'950", "1950"},
        {&Swiss, "1,950", "1.95"},
        {&Swiss, "1'234.5", "1234.5"},
        {&French,
         "1\xE2\x80\xAF"
         "950,5",
         "1950.5"},
        {&French, "1,950", "1.95"},
        {&French, "1 950", ""},
    };
    for (const Row &row : rows) {
        const auto reading = digitize::ReadNumber(row.text, *row.regional);
        if (std::string(row.value).empty()) {
            EXPECT_FALSE(reading.Value.has_value()) << row.text;
        } else {
            ASSERT_TRUE(reading.Value.has_value()) << row.text << ": " << reading.Problem;
            EXPECT_EQ(*reading.Value, std::stold(row.value)) << row.text;
        }
    }
    // The Arabic decimal separator, where the region uses it.
    const auto arabic = digitize::ReadNumber("2\xD9\xAB"
                                             "5",
                                             {"\xD9\xAB", ","});
    ASSERT_TRUE(arabic.Value.has_value());
    EXPECT_EQ(*arabic.Value, 2.5L);
}

} // namespace
