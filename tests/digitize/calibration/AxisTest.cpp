#include "digitize/calibration/Axis.h"
#include "digitize/Errors.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using digitize::Axis;
using digitize::AxisKind;

TEST(Axis, ALogAxisSpacesDecadesEvenly) {
    const Axis decades{AxisKind::Log, 10, 100000};
    struct Row {
        long double fraction, value;
    };
    const Row rows[] = {{0, 10},     {0.25L, 100}, {0.5L, 1000},
                        {1, 100000}, {-0.25L, 1},  {1.5L, 1e7L}};
    for (const Row &row : rows) {
        EXPECT_NEAR(static_cast<double>(digitize::ValueAt(decades, row.fraction) / row.value), 1,
                    1e-15)
            << row.fraction;
        EXPECT_NEAR(static_cast<double>(digitize::FractionOf(decades, row.value)),
                    static_cast<double>(row.fraction), 1e-15)
            << row.fraction;
    }
    // A descending log axis.
    EXPECT_NEAR(static_cast<double>(digitize::ValueAt({AxisKind::Log, 1000, 1}, 1.0L / 3)), 100,
                1e-12);
    EXPECT_THROW(digitize::FractionOf(decades, 0), digitize::Error);
    EXPECT_THROW(digitize::FractionOf(decades, -5), digitize::Error);
}

TEST(Axis, LinearAndTimeAxesInterpolate) {
    EXPECT_EQ(digitize::ValueAt({AxisKind::Linear, 1950, 1980}, 0.5L), 1965);
    const Axis days{AxisKind::Time, 1.5e9, 1.5e9 + 86400 * 10};
    EXPECT_EQ(digitize::ValueAt(days, 0.1L), 1.5e9 + 86400);
    EXPECT_EQ(digitize::FractionOf(days, 1.5e9 + 86400 * 5), 0.5L);
}

TEST(NumberAxis, ALogAxisNeedsBothValuesAboveZero) {
    struct Row {
        digitize::AxisValues values;
        const char *message; // nullptr: accepted
    };
    const Row rows[] = {
        {{10, 1e5F}, nullptr},
        {{1e5F, 0.001F}, nullptr},
        {{0, 100}, "Log X needs X Zero and X Max above 0, not 'zero'"},
        {{-1, 100}, "Log X needs X Zero and X Max above 0, not 'zero'"},
        {{10, 0}, "Log X needs X Zero and X Max above 0, not 'max'"},
        {{0, -3}, "Log X needs X Zero and X Max above 0, not 'zero'"},
    };
    for (const Row &row : rows) {
        if (row.message == nullptr) {
            const Axis axis = digitize::NumberAxis(row.values, true, "X", "zero", "max");
            EXPECT_EQ(axis.Kind, AxisKind::Log);
            EXPECT_EQ(axis.Zero, row.values.Zero);
            EXPECT_EQ(axis.Max, row.values.Max);
            continue;
        }
        try {
            digitize::NumberAxis(row.values, true, "X", "zero", "max");
            ADD_FAILURE() << row.message;
        } catch (const digitize::Error &e) {
            EXPECT_STREQ(e.what(), row.message);
        }
        // Without the log box every value is fine.
        EXPECT_EQ(digitize::NumberAxis(row.values, false, "X", "zero", "max").Kind,
                  AxisKind::Linear);
    }
}

TEST(DateAxis, TakesTwoDatesOnly) {
    const auto axis = digitize::DateAxis("2020-01-01", " 2020-01-11 12:00", false, "X");
    ASSERT_TRUE(axis);
    EXPECT_EQ(axis->Kind, AxisKind::Time);
    EXPECT_EQ(axis->Max - axis->Zero, 10.5 * 86400);
    EXPECT_FALSE(digitize::DateAxis("2020-01-01", "100", false, "X"));
    EXPECT_FALSE(digitize::DateAxis("000", "2020-01-01", false, "X"));
    EXPECT_FALSE(digitize::DateAxis("000", "100", true, "X"));
    EXPECT_THROW(digitize::DateAxis("2020-01-01", "2021-01-01", true, "X"), digitize::Error);
}

TEST(WorthPerPixel, IsUnitsSecondsOrDecadesAPixel) {
    EXPECT_DOUBLE_EQ(digitize::WorthPerPixel({AxisKind::Linear, 100, 0}, 400), 0.25);
    EXPECT_DOUBLE_EQ(digitize::WorthPerPixel({AxisKind::Time, 0, 86400}, -24), 3600);
    EXPECT_DOUBLE_EQ(digitize::WorthPerPixel({AxisKind::Log, 1e5, 10}, 400), 0.01);
}

} // namespace
