#include "digitize/record/ExportText.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

namespace {

using digitize::ExportFormat;
using digitize::Series;

Series Make(const char *name, std::initializer_list<const char *> texts) {
    Series s{name, 0, {}};
    for (const char *text : texts)
        s.Points.push_back({0, 0, text});
    return s;
}

// Two named series of different lengths, as the log pads them.
const std::vector<Series> TwoSeries = {
    Make("Rise", {" 25.0 , 40.00", "  5.0 ,  0.50"}),
    Make("Fall", {"-0.0 , -2.50", "1965 , 12.25", "7.5 , 1.23e-07"})};

TEST(ExportText, WritesEachLayoutWithEachStyle) {
    struct Row {
        const char *what;
        std::vector<Series> series;
        ExportFormat format;
        digitize::CsvStyle style;
        const char *bytes;
    };
    const Row rows[] = {
        {"long, point and comma",
         TwoSeries,
         ExportFormat::CsvLong,
         {'.', ','},
         "Series,X,Y\r\nRise,25.0,40.00\r\nRise,5.0,0.50\r\n"
         "Fall,-0.0,-2.50\r\nFall,1965,12.25\r\nFall,7.5,1.23e-07\r\n"},
        {"long, comma and semicolon",
         TwoSeries,
         ExportFormat::CsvLong,
         {',', ';'},
         "Series;X;Y\r\nRise;25,0;40,00\r\nRise;5,0;0,50\r\n"
         "Fall;-0,0;-2,50\r\nFall;1965;12,25\r\nFall;7,5;1,23e-07\r\n"},
        {"wide, the first series shorter",
         TwoSeries,
         ExportFormat::CsvWide,
         {'.', ','},
         "Rise X,Rise Y,Fall X,Fall Y\r\n25.0,40.00,-0.0,-2.50\r\n5.0,0.50,1965,12.25\r\n"
         ",,7.5,1.23e-07\r\n"},
        {"wide, the last series shorter",
         {TwoSeries[1], TwoSeries[0]},
         ExportFormat::CsvWide,
         {',', ';'},
         "Fall X;Fall Y;Rise X;Rise Y\r\n-0,0;-2,50;25,0;40,00\r\n1965;12,25;5,0;0,50\r\n"
         "7,5;1,23e-07;;\r\n"},
        {"tab between fields",
         {TwoSeries[0]},
         ExportFormat::CsvLong,
         {'.', '\t'},
         "Series\tX\tY\r\nRise\t25.0\t40.00\r\nRise\t5.0\t0.50\r\n"},
        {"a decimal comma beside a comma separator is quoted",
         {TwoSeries[0]},
         ExportFormat::CsvWide,
         {',', ','},
         "Rise X,Rise Y\r\n\"25,0\",\"40,00\"\r\n\"5,0\",\"0,50\"\r\n"},
        {"names holding the separator, quotes and line ends",
         {Make("a;b", {"1.0 , 2.00"}), Make("say \"hi\"", {"3.0 , 4.00"}),
          Make("two\nlines", {"5.0 , 6.00"})},
         ExportFormat::CsvLong,
         {',', ';'},
         "Series;X;Y\r\n\"a;b\";1,0;2,00\r\n\"say \"\"hi\"\"\";3,0;4,00\r\n"
         "\"two\nlines\";5,0;6,00\r\n"},
        {"a wide header quotes a name with the separator",
         {Make("a,b", {"1.0 , 2.00"})},
         ExportFormat::CsvWide,
         {'.', ','},
         "\"a,b X\",\"a,b Y\"\r\n1.0,2.00\r\n"},
        {"series without points are left out of long",
         {Make("Series 1", {}), Make("B", {"1 , 2.00"}), Make("Series 3", {})},
         ExportFormat::CsvLong,
         {'.', ','},
         "Series,X,Y\r\nB,1,2.00\r\n"},
        {"series without points are left out of wide",
         {Make("A", {"1 , 2.00"}), Make("Empty", {}), Make("C", {"3 , 4.00"})},
         ExportFormat::CsvWide,
         {'.', ','},
         "A X,A Y,C X,C Y\r\n1,2.00,3,4.00\r\n"},
        {"dates stay as the log writes them",
         {Make("Days", {"2020-03-15 ,  1.50", "2020-03-15 14:30 , 2.25", "2020-03-16T09 , 3.00"})},
         ExportFormat::CsvLong,
         {',', ';'},
         "Series;X;Y\r\nDays;2020-03-15;1,50\r\nDays;2020-03-15 14:30;2,25\r\n"
         "Days;2020-03-16T09;3,00\r\n"},
        {"log text is the log's lines whatever the style",
         TwoSeries,
         ExportFormat::LogText,
         {',', ';'},
         "Rise\n 25.0 , 40.00\n  5.0 ,  0.50\nFall\n-0.0 , -2.50\n1965 , 12.25\n"
         "7.5 , 1.23e-07\n"},
        {"log text of one unnamed series is the plain lines",
         {Make("Series 1", {"  5.0 ,  6.00", "  7.0 ,  8.00"})},
         ExportFormat::LogText,
         {'.', ','},
         "  5.0 ,  6.00\n  7.0 ,  8.00\n"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(digitize::ExportText(row.series, row.format, row.style), row.bytes) << row.what;
}

TEST(ExportText, TheHeaderNamesTheAxes) {
    const digitize::AxisNames axes{"Time", "Temperature"};
    EXPECT_EQ(
        digitize::ExportText(TwoSeries, ExportFormat::CsvLong, {'.', ','}, axes).substr(0, 25),
        "Series,Time,Temperature\r\n");
    const std::vector<Series> rise = {TwoSeries[0]};
    EXPECT_EQ(digitize::ExportText(rise, ExportFormat::CsvWide, {'.', ','}, axes),
              "Rise Time,Rise Temperature\r\n25.0,40.00\r\n5.0,0.50\r\n");
}

TEST(HasPoints, NeedsOnePointInAnySeries) {
    EXPECT_FALSE(digitize::HasPoints({}));
    EXPECT_FALSE(digitize::HasPoints(std::vector{Make("Series 1", {}), Make("B", {})}));
    EXPECT_TRUE(digitize::HasPoints(std::vector{Make("Series 1", {}), Make("B", {"1 , 2.00"})}));
    EXPECT_TRUE(digitize::HasPoints(std::vector{Make("A", {"1 , 2.00"}), Make("B", {})}));
}

TEST(SamePoints, CountsWhatASaveWrites) {
    const std::vector<Series> saved = {Make("A", {"1 , 2.00", "3 , 4.00"}),
                                       Make("B", {"5 , 6.00"})};
    struct Row {
        const char *what;
        std::vector<Series> now;
        bool same;
    };
    Series recoloured = saved[0];
    recoloured.MarkColour = 0x123456;
    const Row rows[] = {
        {"unchanged", saved, true},
        {"a series started and left empty", {saved[0], saved[1], Make("Series 3", {})}, true},
        {"an empty series in between", {saved[0], Make("Series 2", {}), saved[1]}, true},
        {"another colour", {recoloured, saved[1]}, true},
        {"a point more", {saved[0], Make("B", {"5 , 6.00", "7 , 8.00"})}, false},
        {"a point less", {Make("A", {"1 , 2.00"}), saved[1]}, false},
        {"the last series gone", {saved[0]}, false},
        {"the first series gone", {saved[1]}, false},
        {"a point changed", {Make("A", {"1 , 2.00", "3 , 4.01"}), saved[1]}, false},
        {"a series renamed", {saved[0], Make("C", {"5 , 6.00"})}, false},
        {"series swapped", {saved[1], saved[0]}, false},
        {"a point moved to the next series",
         {Make("A", {"1 , 2.00"}), Make("B", {"3 , 4.00", "5 , 6.00"})},
         false},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(digitize::SamePoints(saved, row.now), row.same) << row.what;
        EXPECT_EQ(digitize::SamePoints(row.now, saved), row.same) << row.what << ", turned round";
    }
}

} // namespace
