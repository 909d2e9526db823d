#include "digitize/record/Csv.h"

#include <gtest/gtest.h>

namespace {

TEST(SeparatorFor, ADecimalCommaGetsASemicolonEverythingElseAComma) {
    EXPECT_EQ(digitize::SeparatorFor(','), ';');
    EXPECT_EQ(digitize::SeparatorFor('.'), ',');
}

TEST(CsvField, QuotesOnlyWhatHoldsTheSeparatorAQuoteOrALineEnd) {
    struct Row {
        const char *text;
        char separator;
        const char *field;
    };
    const Row rows[] = {{"Series 1", ',', "Series 1"},
                        {"", ',', ""},
                        {"a,b", ',', "\"a,b\""},
                        {"a,b", ';', "a,b"},
                        {"a;b", ';', "\"a;b\""},
                        {"a;b", ',', "a;b"},
                        {"a\tb", '\t', "\"a\tb\""},
                        {"say \"hi\"", ';', "\"say \"\"hi\"\"\""},
                        {"\"", ',', "\"\"\"\""},
                        {"two\nlines", ',', "\"two\nlines\""},
                        {"cr\rend", ';', "\"cr\rend\""},
                        {" 5.00 ", ',', " 5.00 "},
                        {"1,5", ',', "\"1,5\""},
                        {"Temp \xC2\xB0"
                         "C",
                         ',',
                         "Temp \xC2\xB0"
                         "C"}};
    for (const auto &row : rows)
        EXPECT_EQ(digitize::CsvField(row.text, row.separator), row.field)
            << "text '" << row.text << "' separator '" << row.separator << "'";
}

TEST(IsNumberCell, TellsTheLogsNumbersFromDatesAndNames) {
    struct Row {
        const char *cell;
        bool number;
    };
    const Row rows[] = {{"5", true},
                        {"-0.0", true},
                        {"25.0", true},
                        {"1965", true},
                        {".5", true},
                        {"5.", true},
                        {"1.23e-07", true},
                        {"4E+15", true},
                        {"-2.50", true},
                        {"", false},
                        {"-", false},
                        {".", false},
                        {"-.", false},
                        {"1.2.3", false},
                        {"1e", false},
                        {"1e+", false},
                        {"e5", false},
                        {"--1", false},
                        {"+1.5", false},
                        {" 5", false},
                        {"2020-03-15", false},
                        {"2020-03-15 14:30", false},
                        {"2020-03-15T14", false},
                        {"12:30", false},
                        {"Series 1", false}};
    for (const auto &row : rows)
        EXPECT_EQ(digitize::IsNumberCell(row.cell), row.number) << "cell '" << row.cell << "'";
}

TEST(WithDecimalMark, SwapsThePointOfNumbersOnly) {
    struct Row {
        const char *cell;
        char mark;
        const char *written;
    };
    const Row rows[] = {{"25.0", ',', "25,0"},
                        {"-0.04", ',', "-0,04"},
                        {"1.5e-07", ',', "1,5e-07"},
                        {"1965", ',', "1965"},
                        {"25.0", '.', "25.0"},
                        {"2020-03-15", ',', "2020-03-15"},
                        {"2020-03-15 14:30", ',', "2020-03-15 14:30"},
                        {"v1.2", ',', "v1.2"}};
    for (const auto &row : rows)
        EXPECT_EQ(digitize::WithDecimalMark(row.cell, row.mark), row.written)
            << "cell '" << row.cell << "' mark '" << row.mark << "'";
}

} // namespace
