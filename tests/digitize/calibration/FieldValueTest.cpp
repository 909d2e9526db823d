#include "digitize/calibration/FieldValue.h"
#include "digitize/Errors.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(FilterNumber, KeepsOnlyThePartsOfAPlainDecimalNumber) {
    struct Row {
        const char *in;
        const char *out;
    };
    const Row rows[] = {{"12.5", "12.5"},
                        {" 1,950 yrs", "1950"},
                        {"-3.2.1", "-3.21"},
                        {"5-2", "52"},
                        {"abc", ""},
                        {"+1e5", "15"},
                        {"x-1", "-1"},
                        {"--1", "-1"},
                        {".", "."},
                        {"12345678901234567890", "123456789012345"},
                        {"-1.23456789012345678", "-1.234567890123"},
                        {"\t7\xC3\xA9", "7"}};
    for (const auto &row : rows)
        EXPECT_EQ(digitize::FilterNumber(row.in), row.out) << "input '" << row.in << "'";
}

TEST(ReadFieldValue, AcceptsTheFieldGrammar) {
    struct Row {
        const char *text;
        long double value;
    };
    const Row rows[] = {
        {"2e", 2},           {".", 0},  {"-.", 0},         {"000", 0},      {"100", 100},
        {"  12.5  ", 12.5L}, {"+3", 3}, {"-3.25", -3.25L}, {"1E3", 1000},   {"1e+2", 100},
        {"25e-1", 2.5L},     {"5.", 5}, {".5", 0.5L},      {"1e-99999", 0}, {"1950", 1950}};
    for (const auto &row : rows)
        EXPECT_EQ(digitize::ReadFieldValue(row.text, "."), row.value)
            << "text '" << row.text << "'";
}

TEST(ReadFieldValue, RefusesAnythingElseNamingTheWholeText) {
    const char *rows[] = {"",
                          "   ",
                          "-",
                          "+",
                          "1,5",
                          "1.5x",
                          "\t1",
                          "1\t",
                          "e5",
                          "1e5e",
                          "1..2",
                          "- 1",
                          "1 2",
                          "0x10",
                          "inf",
                          "nan",
                          "1e99999999999999999999"};
    for (const char *text : rows) {
        try {
            digitize::ReadFieldValue(text, ".");
            ADD_FAILURE() << "'" << text << "' was accepted";
        } catch (const digitize::Error &e) {
            EXPECT_EQ(std::string(e.what()),
                      "'" + std::string(text) + "' is not a valid floating point value");
        }
    }
}

TEST(ReadFieldValue, FollowsTheRegionalDecimalSeparator) {
    EXPECT_EQ(digitize::ReadFieldValue("1,5", ","), 1.5L);
    EXPECT_THROW(digitize::ReadFieldValue("12.5", ","), digitize::Error);
    EXPECT_EQ(digitize::ReadFieldValue("2\xD9\xAB"
                                       "5",
                                       "\xD9\xAB"),
              2.5L); // Arabic separator
}

TEST(ReadTolerance, TakesWholeNumbersFrom1To255) {
    struct Row {
        const char *text;
        int value;
    };
    for (const Row &row : {Row{"1", 1}, Row{"64", 64}, Row{" 255 ", 255}, Row{"+12", 12},
                           Row{"1,2e2", 120}, Row{"80,0", 80}}) {
        EXPECT_EQ(digitize::ReadTolerance(row.text, ","), row.value) << row.text;
        EXPECT_EQ(digitize::ToleranceOf(row.text, ","), row.value) << row.text;
    }
    struct Refused {
        const char *text;
        const char *message;
    };
    for (const Refused &row :
         {Refused{"abc", "'abc' is not a valid floating point value"},
          Refused{"", "'' is not a valid floating point value"},
          Refused{"12.5", "'12.5' is not a valid floating point value"}, // "," separates here
          Refused{"0", "'0' is not a colour tolerance from 1 to 255"},
          Refused{"256", "'256' is not a colour tolerance from 1 to 255"},
          Refused{"-5", "'-5' is not a colour tolerance from 1 to 255"},
          Refused{"12,5", "'12,5' is not a colour tolerance from 1 to 255"},
          Refused{"1e300", "'1e300' is not a colour tolerance from 1 to 255"}}) {
        EXPECT_EQ(digitize::ToleranceOf(row.text, ","), std::nullopt) << row.text;
        try {
            digitize::ReadTolerance(row.text, ",");
            ADD_FAILURE() << "'" << row.text << "' was accepted";
        } catch (const digitize::Error &e) {
            EXPECT_STREQ(e.what(), row.message);
        }
    }
}

TEST(ToSingle, OverflowsBeyondTheFloatRange) {
    EXPECT_EQ(digitize::ToSingle(digitize::ReadFieldValue("3.4e38", ".")), 3.4e38F);
    for (const char *text : {"1e39", "-1e39", "1e300", "1e4000"}) {
        try {
            digitize::ToSingle(digitize::ReadFieldValue(text, "."));
            ADD_FAILURE() << text << " was stored";
        } catch (const digitize::Error &e) {
            EXPECT_STREQ(e.what(), "Floating point overflow") << text;
        }
    }
}

} // namespace
