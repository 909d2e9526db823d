// Recorded points grouped in series, and the log's text of them.
//
// A point keeps the picture position its value was read at (column and row,
// fractions kept: the row of the box average or sub-pixel centre where one
// was used) and the coordinate text the log shows for it, "X , Y" with the
// readout's padding. The log shows each series' name on a line of its own
// above its points once there is more than one series or the first was
// renamed; a log of one unnamed series is the plain "X , Y" lines.
#pragma once

#include "digitize/picture/Surface.h"

#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace digitize {

struct RecordedPoint {
    float X = 0;
    float Y = 0;
    std::string Text;
    friend bool operator==(const RecordedPoint &, const RecordedPoint &) = default;
};

struct Series {
    std::string Name;
    Colour MarkColour = 0;
    std::vector<RecordedPoint> Points;
};

// "Series 1", "Series 2", ... for the series at index 0, 1, ...
std::string DefaultSeriesName(std::size_t index);

// The colour of the marks of the series at an index: distinct hues that stay
// apart for colour-blind eyes, repeating after the last.
Colour SeriesColour(std::size_t index);

// Whether the log shows the series' names on lines of their own.
bool ShowsSeriesNames(std::span<const Series> series);

// The log's lines of the series, each ending with "\n".
std::string LogLines(std::span<const Series> series);

// The two cells of a coordinate text, "  5 ,  0.00" giving "5" and "0.00".
std::pair<std::string, std::string> CoordCells(std::string_view text);

} // namespace digitize
