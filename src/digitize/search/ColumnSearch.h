// Finding the curve in the crosshair's column.
//
// The column rx is scanned outwards from row ry, upwards before downwards at
// each distance, for the nearest pixel near the line colour; the upward scan
// stops at row 6, the downward one before row areaHeight-5. Around the row
// found, the candidate centre with the largest box weight of curve pixels
// wins (the upper one among equals). Reads outside the picture give white.
#pragma once

#include "digitize/picture/Surface.h"
#include "digitize/search/BoxAverage.h"

#include <cstdint>

namespace digitize {

// The row the crosshair should settle on in column rx, or ry when the scan
// finds nothing or no candidate row scores above zero.
std::int64_t FindCurveRow(const Surface &picture, std::int64_t rx, std::int64_t ry,
                          std::int64_t areaHeight, Box box, Colour lineColour, int tolerance);

} // namespace digitize
