#include "digitize/record/Series.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using digitize::Series;

Series Named(const std::string &name, std::vector<std::string> lines) {
    Series s{name, 0, {}};
    for (std::string &line : lines)
        s.Points.push_back({0, 0, std::move(line)});
    return s;
}

TEST(LogLines, ShowNamesOnlyOnceTheyTellSeriesApart) {
    struct Case {
        const char *what;
        std::vector<Series> series;
        std::string expected;
    };
    const Case cases[] = {
        {"nothing recorded", {Named("Series 1", {})}, ""},
        {"one unnamed series",
         {Named("Series 1", {"1.0 , 2.00", "3.0 , 4.00"})},
         "1.0 , 2.00\n3.0 , 4.00\n"},
        {"the only series renamed", {Named("Run A", {"1.0 , 2.00"})}, "Run A\n1.0 , 2.00\n"},
        {"two series, the second empty",
         {Named("Series 1", {"1.0 , 2.00"}), Named("Series 2", {})},
         "Series 1\n1.0 , 2.00\nSeries 2\n"},
        {"two series",
         {Named("a", {"1.0 , 2.00"}), Named("b", {"5.0 , 6.00", "7.0 , 8.00"})},
         "a\n1.0 , 2.00\nb\n5.0 , 6.00\n7.0 , 8.00\n"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(digitize::LogLines(c.series), c.expected) << c.what;
}

TEST(CoordCells, SplitACoordinateTextIntoItsTrimmedCells) {
    struct Case {
        const char *text;
        const char *x;
        const char *y;
    };
    const Case cases[] = {
        {"  5 ,  0.00", "5", "0.00"},
        {"-10.0 , -10.00", "-10.0", "-10.00"},
        {"2020-03-15 14:30 , 12.50", "2020-03-15 14:30", "12.50"},
        {"1965", "1965", ""},
        {"", "", ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(digitize::CoordCells(c.text), std::pair(std::string(c.x), std::string(c.y)))
            << c.text;
}

TEST(SeriesLook, NamesCountFromOneAndColoursDifferUntilTheyRepeat) {
    EXPECT_EQ(digitize::DefaultSeriesName(0), "Series 1");
    EXPECT_EQ(digitize::DefaultSeriesName(11), "Series 12");
    std::set<digitize::Colour> colours;
    for (std::size_t i = 0; i < 7; ++i)
        colours.insert(digitize::SeriesColour(i));
    EXPECT_EQ(colours.size(), 7U);
    EXPECT_EQ(digitize::SeriesColour(7), digitize::SeriesColour(0));
    // None is so pale that it vanishes on white paper.
    for (const digitize::Colour c : colours)
        EXPECT_LT((c & 0xFFu) + ((c >> 8) & 0xFFu) + ((c >> 16) & 0xFFu), 3u * 200u)
            << std::hex << c;
}

} // namespace
