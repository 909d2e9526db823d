// The bytes a save writes for the recorded series, in one of three formats:
//   CsvLong:  a header row "Series,X,Y", then one row a point: the series'
//             name, its X cell and its Y cell;
//   CsvWide:  a header row with a column pair a series ("Series 1 X",
//             "Series 1 Y", ...), then row i holds every series' point i; a
//             series shorter than the longest leaves its cells empty below
//             its last point;
//   LogText:  the log's own lines (LogLines), "\n" after each.
// CSV rows end with CR LF (RFC 4180) and are UTF-8 without a byte-order mark.
// The cells are the points' coordinate texts split at " , " (CoordCells):
// numbers keep the digits the log shows, dates stay as they are. Series
// without points have nothing to write in CSV and are left out.
#pragma once

#include "digitize/record/Csv.h"
#include "digitize/record/Series.h"

#include <span>
#include <string>

namespace digitize {

enum class ExportFormat { CsvLong, CsvWide, LogText };

// The names the header gives the two axes.
struct AxisNames {
    std::string X = "X";
    std::string Y = "Y";
};

std::string ExportText(std::span<const Series> series, ExportFormat format, CsvStyle style,
                       const AxisNames &axes = {});

// Whether any series holds a point: without one there is nothing to save.
bool HasPoints(std::span<const Series> series);

// Whether two states of the recorded points would save the same: the same
// series with points, by name and in order, with the same point texts.
// Series without points and the marks' colours do not count.
bool SamePoints(std::span<const Series> a, std::span<const Series> b);

} // namespace digitize
