#include "digitize/calibration/NumberText.h"
#include "digitize/calibration/Rounding.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <ostream>
#include <string>

namespace {

TEST(Round, GoesToTheNearestIntegerWithHalvesToEven) {
    struct Row {
        double in;
        std::int32_t out;
    };
    const Row rows[] = {{2.5, 2},
                        {3.5, 4},
                        {-2.5, -2},
                        {-3.5, -4},
                        {0.5, 0},
                        {1.5, 2},
                        {2.4999, 2},
                        {2.5001, 3},
                        {-0.4, 0},
                        {10.5, 10},
                        {11.5, 12},
                        {1e12, std::numeric_limits<std::int32_t>::max()},
                        {-1e12, std::numeric_limits<std::int32_t>::min()}};
    for (const auto &row : rows)
        EXPECT_EQ(digitize::Round(row.in), row.out) << "Round(" << row.in << ")";
}

struct FixedRow {
    double value;
    int decimals;
    int width;
    std::string text;
};

void PrintTo(const FixedRow &row, std::ostream *os) {
    *os << row.value << " with " << row.decimals << " decimals in " << row.width << " -> '"
        << row.text << "'";
}

class FixedTextRows : public testing::TestWithParam<FixedRow> {};

TEST_P(FixedTextRows, WritesTheExpectedText) {
    const auto &row = GetParam();
    EXPECT_EQ(digitize::FixedText(row.value, row.decimals, row.width), row.text)
        << "value " << row.value << ", " << row.decimals << " decimals, width " << row.width;
}

INSTANTIATE_TEST_SUITE_P(
    HalvesAwayFromZeroSignAndWidth, FixedTextRows,
    testing::Values(FixedRow{2.5, 0, 3, "  3"}, FixedRow{-2.5, 0, 3, " -3"},
                    FixedRow{3.5, 0, 0, "4"}, FixedRow{0.5, 0, 1, "1"},
                    FixedRow{-0.04, 1, 3, "-0.0"}, FixedRow{-0.0, 1, 3, "0.0"},
                    FixedRow{0.0, 2, 5, " 0.00"}, FixedRow{25.0, 1, 3, "25.0"},
                    FixedRow{5.0, 2, 5, " 5.00"}, FixedRow{-2.5, 2, 5, "-2.50"},
                    FixedRow{1965.0, 0, 3, "1965"}, FixedRow{0.125, 2, 5, " 0.13"},
                    FixedRow{-0.125, 2, 5, "-0.13"}, FixedRow{9.995, 2, 0, "9.99"},
                    FixedRow{99.96, 1, 3, "100.0"}, FixedRow{-999.5, 0, 3, "-1000"},
                    FixedRow{1e20, 1, 3, "100000000000000000000.0"},
                    FixedRow{static_cast<double>(3.0F / 7.0F), 2, 8, "    0.43"}),
    [](const testing::TestParamInfo<FixedRow> &row) { return "row" + std::to_string(row.index); });

TEST(FixedText, WritesNonFiniteValuesReadably) {
    EXPECT_EQ(digitize::FixedText(std::numeric_limits<double>::infinity(), 1, 5), "  INF");
    EXPECT_EQ(digitize::FixedText(-std::numeric_limits<double>::infinity(), 1, 0), "-INF");
    EXPECT_EQ(digitize::FixedText(std::numeric_limits<double>::quiet_NaN(), 2, 0), "NAN");
}

TEST(IntegerText, RightAlignsWithoutCutting) {
    EXPECT_EQ(digitize::IntegerText(30, 3), " 30");
    EXPECT_EQ(digitize::IntegerText(-7, 3), " -7");
    EXPECT_EQ(digitize::IntegerText(12345, 3), "12345");
}

} // namespace
