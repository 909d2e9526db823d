// Large chart pictures for the benchmarks, made once per run with libjpeg
// and libpng.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace bench {

inline constexpr int ChartWidth = 6000;
inline constexpr int ChartHeight = 4000;

// The row of the benchmark curve at a column: a sine across the picture.
int CurveRow(int column);

// A white chart with a grid and a 3-pixel dark blue sine, as 8-bit RGB rows.
std::vector<std::uint8_t> ChartRgb();

// The chart saved as a baseline JPEG (quality 90) at a path under /tmp;
// made by the first run that needs it, then reused.
const std::string &ChartJpegPath();

// The same chart as an 8-bit RGB PNG (libpng's default compression), made
// and reused the same way.
const std::string &ChartPngPath();

} // namespace bench
