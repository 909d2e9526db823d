#include "digitize/calibration/LogText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(IsCoordLine, TakesTwoNumbersAroundACommaInEveryShapeTheReadoutMayWrite) {
    struct Row {
        const char *line;
        bool coord;
    };
    const Row rows[] = {
        {"25.0 , 40.00", true},
        {"  5 ,  0.00", true},
        {"-0.0 , -2.50", true},
        {"1965 ,  5.00", true},
        {"0.200 , 0.000800", true},
        {"249999996747776.0 , 20.00", true},
        {"1.5e-7 , 2E+3", true},
        {"NAN , INF", true},
        {"-INF , 1.00", true},
        {"+3 , 4", true},
        {"2020-03-15 , 12.50", true},
        {"2020-03-15 14:30 , 12.50", true},
        {"2020-03-15T14:30:05.25 , -1.00", true},
        {"5.0 ,  6.00\r", true},
        {"\t5.0,6.00  ", true},
        {"", false},
        {"   ", false},
        {"Drop a photo into Window 2. ", false},
        {"X & Y values of that point will be copied below. ", false},
        {"   then click the Space Bar. ", false},
        {"5.0  6.00", false},
        {"5.0 , ", false},
        {", 6.00", false},
        {"5. , 6.00", false},
        {".5 , 6.00", false},
        {"5.0 , 6.00 , 7.00", false},
        {"5.0 , 6.00 x", false},
        {"5.0e , 6.00", false},
        {"2020-3-15 , 1.00", false},
        {"2020-03-15 14 , 1.00", false},
        {"- , 1.00", false},
        {"NANA , 1.00", false},
    };
    for (const Row &row : rows)
        EXPECT_EQ(digitize::IsCoordLine(row.line), row.coord) << '"' << row.line << '"';
}

// The log at start: nine lines of instructions and a blank tenth.
const std::string Opening = "Drop a photo into Window 2. \n"
                            "Enter the Max & Zero for the X & Y scales . \n"
                            "Set crosshair on the zero points, click  Z  key. \n"
                            "set crosshair on the  max points, click  A  key. \n"
                            "Set crosshair on each point to be digitized \n"
                            "   then click the Space Bar. \n"
                            "X & Y values of that point will be copied below. \n"
                            "Use Arrow Keys to fine tune the crosshair. \n"
                            "Copy/Paste the table to an editor. \n\n";

TEST(RecordedText, TakesTheCoordinateLinesWhateverTheUserDidToTheLog) {
    struct Row {
        const char *name;
        std::string log;
        std::string recorded;
    };
    const std::string points = "1.0 , 2.00\n-3.0 , 40.00\n";
    const Row rows[] = {
        {"nothing recorded", Opening, ""},
        {"points below the opening", Opening + "1.0 , 2.00\n-3.0 , 40.00", points},
        {"blank lines after them", Opening + points + "\n \n", points},
        {"instruction lines deleted",
         Opening.substr(Opening.find("Set crosshair on each")) + points, points},
        {"log cleared, then points recorded", "\n" + points, points},
        {"points alone", points, points},
        {"a note added at the top", "Run 2, March\n" + Opening + points, points},
        {"notes and blank lines between points", Opening + "1.0 , 2.00\n\ncurve B:\n-3.0 , 40.00\n",
         points},
        // Exactly as logged: the blanks the readout pads with stay.
        {"padded texts", Opening + "  5 ,  0.00\n  6 ,  1.00", "  5 ,  0.00\n  6 ,  1.00\n"},
    };
    for (const Row &row : rows)
        EXPECT_EQ(digitize::RecordedText(row.log), row.recorded) << row.name;
}

} // namespace
