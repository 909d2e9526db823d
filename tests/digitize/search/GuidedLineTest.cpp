// The line seen in a box from the runs taken in its columns.
#include "digitize/search/GuidedLine.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace {

using LineRun = digitize::Run;

std::vector<LineRun> Level(std::int64_t from, std::int64_t to, std::int64_t first,
                           std::int64_t last) {
    std::vector<LineRun> runs;
    for (auto c = from; c <= to; ++c)
        runs.push_back({c, first, last, 0});
    return runs;
}

TEST(SeeLine, FitsTheRunsAndLeavesOutAColumnCrossedBySomething) {
    // Rows c+90 and c+91 in column c: centre c + 90.5.
    std::vector<LineRun> runs;
    for (std::int64_t c = 10; c <= 20; ++c)
        runs.push_back({c, c + 90, c + 91, 0});
    runs[4] = {14, 104, 112, 0}; // a grid line merged with the line in column 14
    const auto seen = digitize::SeeLine(runs, 15.0, 0);
    EXPECT_EQ(seen.Runs.size(), 10u);
    EXPECT_NEAR(seen.Row, 105.5, 1e-9);
    EXPECT_NEAR(seen.Slope, 1.0, 1e-9);
    EXPECT_LT(seen.Spread, 1e-9);
}

TEST(SeeLine, KeepsTheGivenSlopeWithOneRun) {
    const auto seen = digitize::SeeLine({{12, 50, 51, 0}}, 10.0, 2.0);
    EXPECT_DOUBLE_EQ(seen.Row, 46.5);
    EXPECT_DOUBLE_EQ(seen.Slope, 2.0);
    EXPECT_TRUE(digitize::SeeLine({}, 10.0, 0).Runs.empty());
}

TEST(LineSeen, HoldsAColumnItCrossesNotOneBeyondItsEnd) {
    struct Row {
        const char *what;
        std::vector<LineRun> runs;
        bool holds;
    };
    const Row rows[] = {
        {"a run in the column", Level(10, 10, 5, 6), true},
        {"runs up to the column before (an axis over it)", Level(4, 9, 5, 6), true},
        {"runs from the column after", Level(11, 16, 5, 6), true},
        {"runs on both sides (a pale column)", {{9, 5, 6, 0}, {12, 5, 6, 0}}, true},
        {"runs on the left only, two columns off (the line ended)", Level(4, 8, 5, 6), false},
        {"runs on the right only, two columns off", Level(12, 16, 5, 6), false},
        {"no runs", {}, false}};
    for (const Row &row : rows)
        EXPECT_EQ(digitize::SeeLine(row.runs, 10, 0).Holds(10), row.holds) << row.what;
}

TEST(LineSeen, AveragesOnlyTheLinesPixelsInsideTheBox) {
    // Rows 99 to 101 in every column: centred on row 90 the box (rows 75 to
    // 105) holds them all; the weights pull a little towards row 90.
    const auto seen = digitize::SeeLine(Level(44, 56, 99, 101), 50, 0);
    const auto row = seen.AverageRow(50, 90, {6, 15});
    ASSERT_TRUE(row.has_value());
    EXPECT_NEAR(*row, 99.97, 0.01);
    // Only rows 99 and 100 lie inside a box ending at row 100, row 99
    // weighing 13 x 22 - 42, row 100 13 x 21 - 42.
    EXPECT_NEAR(*seen.AverageRow(50, 85, {6, 15}), (99.0 * 244 + 100.0 * 231) / 475, 1e-9);
    // A line ending inside the box: only the columns paired across the centre count.
    const auto ending = digitize::SeeLine(Level(40, 52, 99, 101), 50, 0);
    EXPECT_EQ(ending.AverageRow(50, 100, {6, 15}), seen.AverageRow(50, 100, {2, 15}));
    // Negative weights everywhere: no average.
    EXPECT_FALSE(seen.AverageRow(50, 90, {1, 15}).has_value());
}

} // namespace
