#include "digitize/calibration/FieldValue.h"
#include "digitize/Errors.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const digitize::Separators Point{".", ","};
const digitize::Separators Comma{",", "."};

TEST(ReadFieldValue, RefusesWithTheMessageNamingTheWholeText) {
    EXPECT_EQ(digitize::ReadFieldValue(" 12,5 yrs", Point), 12.5L);
    for (const char *text : {"", "   ", "abc", "1,950", "5.5.5", "1 2", "- 1", "1e99999999"}) {
        try {
            digitize::ReadFieldValue(text, Point);
            ADD_FAILURE() << "'" << text << "' was accepted";
        } catch (const digitize::Error &e) {
            EXPECT_EQ(std::string(e.what()),
                      "'" + std::string(text) + "' is not a valid floating point value");
        }
    }
}

TEST(ReadTolerance, TakesWholeNumbersFrom1To255) {
    struct Row {
        const char *text;
        int value;
    };
    for (const Row &row : {Row{"1", 1}, Row{"64", 64}, Row{" 255 ", 255}, Row{"+12", 12},
                           Row{"1,2e2", 120}, Row{"80,0", 80}, Row{"1.2e2", 120}}) {
        EXPECT_EQ(digitize::ReadTolerance(row.text, Comma), row.value) << row.text;
        EXPECT_EQ(digitize::ToleranceOf(row.text, Comma), row.value) << row.text;
    }
    struct Refused {
        const char *text;
        const char *message;
    };
    for (const Refused &row :
         {Refused{"abc", "'abc' is not a valid floating point value"},
          Refused{"", "'' is not a valid floating point value"},
          Refused{"1.500", "'1.500' is not a valid floating point value"}, // 1500 or 1.5 here
          Refused{"0", "'0' is not a colour tolerance from 1 to 255"},
          Refused{"256", "'256' is not a colour tolerance from 1 to 255"},
          Refused{"-5", "'-5' is not a colour tolerance from 1 to 255"},
          Refused{"12,5", "'12,5' is not a colour tolerance from 1 to 255"},
          Refused{"1e300", "'1e300' is not a colour tolerance from 1 to 255"}}) {
        EXPECT_EQ(digitize::ToleranceOf(row.text, Comma), std::nullopt) << row.text;
        try {
            digitize::ReadTolerance(row.text, Comma);
            ADD_FAILURE() << "'" << row.text << "' was accepted";
        } catch (const digitize::Error &e) {
            EXPECT_STREQ(e.what(), row.message);
        }
    }
}

TEST(ToSingle, OverflowsBeyondTheFloatRange) {
    EXPECT_EQ(digitize::ToSingle(digitize::ReadFieldValue("3.4e38", Point)), 3.4e38F);
    for (const char *text : {"1e39", "-1e39", "1e300", "1e4000"}) {
        try {
            digitize::ToSingle(digitize::ReadFieldValue(text, Point));
            ADD_FAILURE() << text << " was stored";
        } catch (const digitize::Error &e) {
            EXPECT_STREQ(e.what(), "Floating point overflow") << text;
        }
    }
}

} // namespace
