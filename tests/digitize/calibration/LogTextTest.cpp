#include "digitize/calibration/LogText.h"

#include <gtest/gtest.h>

namespace {

// The log at start: nine lines of instructions and a blank tenth.
const std::string Start = "a\nb\nc\nd\ne\nf\ng\nh\ni\n";
// What a recorded line follows.
const std::string Opening = Start + "\n";

TEST(RecordedText, TakesTheLinesBelowTheOpeningTen) {
    struct Case {
        std::string log;
        std::string expected;
    };
    const Case cases[] = {
        {Start, ""},
        {Opening, ""},
        {Opening + "\n \n", ""},
        {"a\nb\nc", ""},
        {Opening + "1.0 , 2.00", "1.0 , 2.00\n"},
        {Opening + "1.0 , 2.00\n-3.0 , 40.00\n\n", "1.0 , 2.00\n-3.0 , 40.00\n"},
        // The lines exactly as logged: their blanks and a blank line between stay.
        {Opening + "  5 ,  0.00\n\n  6 ,  1.00", "  5 ,  0.00\n\n  6 ,  1.00\n"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(digitize::RecordedText(c.log), c.expected) << c.log;
}

} // namespace
