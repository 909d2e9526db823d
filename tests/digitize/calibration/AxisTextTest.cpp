#include "digitize/calibration/AxisText.h"
#include "digitize/Errors.h"
#include "digitize/calibration/DateValue.h"
#include "digitize/calibration/Decimals.h"
#include "digitize/record/Csv.h"
#include "digitize/record/Series.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using digitize::AxisKind;
using digitize::Calibration;
using digitize::Frame;

TEST(LogDigits, AreTheFewestWhoseLastUnitIsWorthAtMostAPixel) {
    struct Row {
        double decadesPerPixel;
        int digits;
    };
    // A value from 1 to 10 changes by 10^d - 1 a pixel, at least.
    const Row rows[] = {
        {4.0 / 600, 3},          // 4 decades on 600 pixels: 1.55% a pixel
        {std::log10(1.01), 3},   // exactly 1% a pixel: 1.01 shows it
        {std::log10(1.0099), 4}, // just under 1%: 1.01 would not
        {std::log10(1.1), 2},    // 10% a pixel: two digits, the fewest given
        {2.0, 2},                // two decades a pixel: still two
        {5.0 / 20000, 5},        // 5 decades on 20000 pixels
        {1e-14, 15},             // a double holds no more
        {0, 2},                  // no range at all
    };
    for (const Row &row : rows)
        EXPECT_EQ(digitize::LogDigits(row.decadesPerPixel), row.digits) << row.decadesPerPixel;
}

TEST(SignificantText, WritesSignificantDigitsWithoutCuttingIntegers) {
    struct Row {
        double value;
        int digits;
        const char *text;
    };
    const Row rows[] = {
        {12.3456, 3, " 12.3"}, {1234.56, 3, " 1235"},    {0.0123456, 3, "0.0123"},
        {9.996, 3, " 10.0"},   {99.96, 3, "  100"},      {1.0, 4, "1.000"},
        {123456, 3, "123456"}, {1.25e-7, 3, "1.25e-07"}, {3e15, 2, "3.0e+15"},
        {1e-5, 2, "0.000010"}, {2.5e-6, 2, "2.5e-06"},   {1.5e14, 2, "150000000000000"},
        {2.5, 2, "  2.5"},
    };
    for (const Row &row : rows)
        EXPECT_EQ(digitize::SignificantText(row.value, row.digits, 5), row.text) << row.value;
}

Calibration TwoPoints(digitize::Axis x, digitize::Axis y) {
    return Calibration(Frame({100, 500}, {700, 100}), x, y);
}

TEST(ReadingText, LinearTwoPointTextsAreTheUsualOnes) {
    const digitize::AxisValues x{1950, 1980};
    const digitize::AxisValues y{0, 0.01F};
    const Calibration c =
        TwoPoints({AxisKind::Linear, x.Zero, x.Max}, {AxisKind::Linear, y.Zero, y.Max});
    for (const bool integerX : {false, true})
        for (const double fraction : {1.0, 0.1})
            for (const float p : {100.0F, 333.3F, 612.0F}) {
                const auto reading = c.Reading({p, p});
                const auto d =
                    digitize::CoordDecimals({100, 500}, {700, 100}, x, y, integerX, fraction);
                EXPECT_EQ(digitize::ReadingText(c, reading, integerX, fraction),
                          digitize::CoordText(static_cast<float>(reading.X),
                                              static_cast<float>(reading.Y), d.X, d.Y))
                    << p;
            }
}

TEST(ReadingText, WritesEachAxisByItsKind) {
    const double march = *digitize::ReadDate("2020-03-15");
    struct Row {
        const char *what;
        digitize::Axis x, y;
        double px, py;
        bool integerX;
        double fraction;
        const char *text;
    };
    const Row rows[] = {
        {"log-log, 4 and 3 decades on 600 and 400 pixels",
         {AxisKind::Log, 10, 1e5},
         {AxisKind::Log, 0.001, 1},
         250,
         300,
         false,
         1,
         "100 , 0.0316"},
        {"Integer ticked rounds a log X",
         {AxisKind::Log, 10, 1e5},
         {AxisKind::Log, 0.001, 1},
         155,
         300,
         true,
         1,
         " 23 , 0.0316"},
        {"unticked it keeps three digits",
         {AxisKind::Log, 10, 1e5},
         {AxisKind::Log, 0.001, 1},
         155,
         300,
         false,
         1,
         "23.3 , 0.0316"},
        {"a tenth of a pixel along a log Y",
         {AxisKind::Log, 10, 1e5},
         {AxisKind::Log, 0.001, 1},
         250,
         300,
         false,
         0.1,
         "100 , 0.03162"},
        {"days",
         {AxisKind::Time, march, march + 86400 * 1200},
         {AxisKind::Linear, 0, 10},
         400,
         300,
         false,
         1,
         "2021-11-05 ,  5.00"},
        {"hours",
         {AxisKind::Time, march, march + 86400 * 30},
         {AxisKind::Linear, 0, 10},
         400,
         300,
         false,
         1,
         "2020-03-30T00 ,  5.00"},
        {"minutes",
         {AxisKind::Time, march, march + 86400},
         {AxisKind::Linear, 0, 10},
         401,
         300,
         false,
         1,
         "2020-03-15T12:02 ,  5.00"},
    };
    for (const Row &row : rows)
        EXPECT_EQ(digitize::ReadingText(TwoPoints(row.x, row.y),
                                        TwoPoints(row.x, row.y).Reading({row.px, row.py}),
                                        row.integerX, row.fraction),
                  row.text)
            << row.what;
}

TEST(ReadingText, ThreePointsTakeTheDecimalsOfTheAxesLengths) {
    // 0 to 1 along 400 pixels of a slanted X axis: three decimals, as on a level one.
    const Calibration c(Frame({0, 400}, {420, 30}, {400, 430}), {AxisKind::Linear, 0, 1},
                        {AxisKind::Linear, 0, 100});
    EXPECT_EQ(digitize::ReadingText(c, {0.5, 50}, false), "0.500 , 50.00");
    EXPECT_THROW(
        digitize::ReadingText(TwoPoints({AxisKind::Time, 0, 1e12}, {AxisKind::Linear, 0, 1}),
                              {1e12, 0}, false),
        digitize::Error);
}

TEST(ReadingText, GivesTheExportCellsItsTexts) {
    // A date stays a text cell; a log value in either notation is a number cell.
    const double march = *digitize::ReadDate("2020-03-15");
    const Calibration c =
        TwoPoints({AxisKind::Time, march, march + 86400}, {AxisKind::Log, 1e-9, 1e-6});
    const auto [x, y] =
        digitize::CoordCells(digitize::ReadingText(c, c.Reading({401, 300}), false));
    EXPECT_EQ(x, "2020-03-15T12:02");
    EXPECT_FALSE(digitize::IsNumberCell(x));
    EXPECT_EQ(y, "3.16e-08");
    EXPECT_TRUE(digitize::IsNumberCell(y));
    const auto [hz, gain] = digitize::CoordCells(digitize::ReadingText(
        TwoPoints({AxisKind::Log, 10, 1e5}, {AxisKind::Log, 0.001, 1}),
        TwoPoints({AxisKind::Log, 10, 1e5}, {AxisKind::Log, 0.001, 1}).Reading({155, 300}), false));
    EXPECT_EQ(hz, "23.3");
    EXPECT_TRUE(digitize::IsNumberCell(hz) && digitize::IsNumberCell(gain));
}

TEST(StepLabel, GivesTheFactorOrTheTimeAStepIsWorth) {
    struct Row {
        digitize::Axis x;
        int n;
        const char *label;
    };
    const Row rows[] = {
        {{AxisKind::Log, 10, 1e5}, 40, " 40 Steps = x1.26"},
        {{AxisKind::Log, 1e5, 10}, 4, "  4 Steps = x0.100"},
        {{AxisKind::Time, 0, 86400 * 30}, 30, " 30 Steps = 1.0 d"},
        {{AxisKind::Time, 86400 * 30, 0}, 60, " 60 Steps = 12.0 h"},
        {{AxisKind::Time, 0, 3600}, 120, "120 Steps = 0.5 min"},
        {{AxisKind::Time, 0, 7200}, 120, "120 Steps = 1.0 min"},
    };
    for (const Row &row : rows)
        EXPECT_EQ(digitize::StepLabel(row.x, row.n), row.label) << row.label;
}

} // namespace
