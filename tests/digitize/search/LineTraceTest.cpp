// Tracing a line column by column: what carries it on and what never does.
#include "digitize/search/LineTrace.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace {

using digitize::Colour;
using digitize::LineTrace;
using LineRun = digitize::Run;
using digitize::Surface;

constexpr Colour Navy = 0xAA2814;
constexpr Colour PaleNavy = 0xC86450; // within 64 of Navy, 60 off in red
constexpr digitize::TraceSettings Settings{Navy, 64, 6, 193, 31, 1.0, 15};

void Put(Surface &p, int column, int row, Colour c = Navy) {
    p.Row(row)[column] = digitize::WordFromColour(c);
}

// A one-pixel horizontal line at row over [from, to).
void Horizontal(Surface &p, int row, int from, int to, Colour c = Navy) {
    for (int x = from; x < to; ++x)
        Put(p, x, row, c);
}

std::vector<std::int64_t> RowsTaken(const LineTrace &trace, std::int64_t from, std::int64_t to) {
    std::vector<std::int64_t> rows;
    for (const LineRun &run : trace.RunsIn(from, to))
        rows.push_back(run.First);
    return rows;
}

TEST(LineTrace, StartsOnTheRunNearestTheRowWithinAReach) {
    Surface p = Surface::Blank(200, 200);
    Horizontal(p, 100, 0, 200);
    Horizontal(p, 80, 0, 200);
    LineTrace trace(Settings);
    EXPECT_FALSE(trace.Start(p, 50, 140, 45, 55)); // 40 rows off: beyond a box height
    EXPECT_FALSE(trace.Started());
    ASSERT_TRUE(trace.Start(p, 50, 93, 45, 55));
    EXPECT_EQ(RowsTaken(trace, 0, 199), (std::vector<std::int64_t>{100}));
    EXPECT_EQ(trace.RunsIn(0, 199).front().Column, 50);
}

TEST(LineTrace, NeverTakesAVerticalLineOfTheColour) {
    Surface p = Surface::Blank(200, 200);
    Horizontal(p, 100, 0, 200);
    for (int r = 10; r < 190; ++r)
        Put(p, 120, r); // an axis crossing the line
    for (int r = 10; r < 30; ++r)
        Put(p, 150, r); // a tick near it, shorter than the line's reach
    LineTrace trace(Settings);
    ASSERT_TRUE(trace.Start(p, 100, 100, 100, 100));
    trace.To(p, 160);
    EXPECT_TRUE(trace.RunsIn(120, 120).empty());
    EXPECT_EQ(RowsTaken(trace, 121, 160), std::vector<std::int64_t>(40, 100));
}

TEST(LineTrace, AcrossAGapTakesOnlyTheLinesOwnColourWithinReach) {
    struct Row {
        const char *what;
        int row;       // where the line goes on after a 20-column gap
        Colour colour; // what it is drawn in there
        std::size_t taken;
    };
    for (const Row &c :
         {Row{"the line a little lower", 110, Navy, 51},
          Row{"once the reach (2 + 3/4 row a column) has grown to it", 118, Navy, 50},
          Row{"beyond two box heights", 163, Navy, 0},
          Row{"a paler colour, inside the tolerance", 110, PaleNavy, 0}}) {
        Surface p = Surface::Blank(200, 200);
        Horizontal(p, 100, 0, 80);
        Horizontal(p, c.row, 100, 200, c.colour);
        LineTrace trace(Settings);
        ASSERT_TRUE(trace.Start(p, 50, 100, 50, 50));
        trace.To(p, 150);
        EXPECT_EQ(trace.RunsIn(100, 150).size(), c.taken) << c.what;
    }
}

TEST(LineTrace, ALineDrawnPalerThanTheColourTakenIsFollowedAcrossItsGaps) {
    // The colour was taken on the one dark pixel at the start; the line is
    // drawn 25 off it (JPEG pales a thin line) and broken for 10 columns.
    constexpr Colour Paler = 0xC34127; // R 39, G 65, B 195
    Surface p = Surface::Blank(300, 200);
    Horizontal(p, 100, 0, 160, Paler);
    Horizontal(p, 100, 170, 300, Paler);
    Put(p, 40, 100);
    LineTrace trace(Settings);
    ASSERT_TRUE(trace.Start(p, 40, 100, 40, 40));
    EXPECT_EQ(trace.RunsIn(40, 40).front().Closest, 0);
    trace.To(p, 250);
    EXPECT_EQ(trace.RunsIn(170, 250).size(), 81u);
}

TEST(LineTrace, TheReachWidensWithTheGapUpToTwoBoxHeights) {
    Surface p = Surface::Blank(400, 200);
    Horizontal(p, 100, 0, 60);
    LineTrace trace(Settings);
    ASSERT_TRUE(trace.Start(p, 50, 100, 50, 50));
    trace.To(p, 59);
    EXPECT_DOUBLE_EQ(trace.Expected(60).Reach, 2.75); // next to the line
    EXPECT_DOUBLE_EQ(trace.Expected(69).Reach, 9.5);  // ten columns on
    EXPECT_DOUBLE_EQ(trace.Expected(300).Reach, 62.0);
    EXPECT_DOUBLE_EQ(trace.Expected(80).Row, 100.0);
}

TEST(LineTrace, CarriesTheSlopeAcrossAShortGap) {
    // A line falling a row every two columns, with a 6-column hole.
    Surface p = Surface::Blank(200, 200);
    for (int x = 0; x < 200; ++x)
        if (x < 90 || x >= 96)
            Put(p, x, 50 + x / 2);
    LineTrace trace(Settings);
    ASSERT_TRUE(trace.Start(p, 40, 70, 40, 40));
    trace.To(p, 120);
    EXPECT_NEAR(trace.Expected(93).Row, 96.5, 1.0);
    EXPECT_EQ(RowsTaken(trace, 96, 120).size(), 25u);
    EXPECT_EQ(RowsTaken(trace, 96, 96).front(), 98);
}

TEST(LineTrace, AtAForkKeepsTheBranchThatGoesOn) {
    // A tick two columns long leaves the line level; the line bends down.
    Surface p = Surface::Blank(200, 200);
    Horizontal(p, 100, 0, 101);
    for (int x = 101; x < 200; ++x)
        Put(p, x, 100 + (x - 100) / 2 + 1);
    Horizontal(p, 100, 101, 103);
    LineTrace trace(Settings);
    ASSERT_TRUE(trace.Start(p, 90, 100, 90, 90));
    trace.To(p, 160);
    EXPECT_EQ(RowsTaken(trace, 160, 160).front(), 131);
}

TEST(LineTrace, TracesBothWaysFromTheStart) {
    Surface p = Surface::Blank(200, 200);
    for (int x = 0; x < 200; ++x)
        Put(p, x, 150 - x / 2);
    LineTrace trace(Settings);
    ASSERT_TRUE(trace.Start(p, 100, 100, 100, 100));
    trace.To(p, 110);
    trace.To(p, 90);
    const auto rows = RowsTaken(trace, 90, 110);
    ASSERT_EQ(rows.size(), 21u);
    EXPECT_EQ(rows.front(), 105);
    EXPECT_EQ(rows.back(), 95);
}

} // namespace
