// The loupe: the picture around one pixel magnified, shown as the picture is
// without the crosshair's exclusive-or marks, with the crosshair pixel, the
// box outline and the pixels of the line colour marked over it.
//
// Pixels as in Surface.h: (0, 0) top-left, y downwards; reading outside the
// picture gives OutsideColour. The loupe is drawn into a caller's buffer of
// width x height 0xFFRRGGBB words, rows top to bottom without padding. Each
// picture pixel is a cell of Zoom x Zoom screen pixels; the centre pixel's
// cell has its top-left corner at ((width - Zoom) / 2, (height - Zoom) / 2).
// From GridZoom up, a cell's top row and left column are its grid line.
// Cells outside the picture show a grey checkerboard. The marks of recorded
// points are rings in their series' colours on a light halo, centred as in
// PointMarks.h (the middle of the pixel moved by the point's fractions).
#pragma once

#include "digitize/calibration/Conversions.h"
#include "digitize/picture/Surface.h"
#include "digitize/search/Colour.h"
#include "digitize/view/Marks.h"
#include "digitize/view/PointMarks.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace digitize {

// The marks now in the picture and where they were drawn; empty when not drawn.
struct DrawnMarks {
    std::optional<Point> Cross;
    std::optional<Outline> Box;
};

// How many of the marks' lines pass over a pixel: an odd count means the
// exclusive-or pen left it inverted.
int MarkCoverage(const DrawnMarks &marks, std::int64_t x, std::int64_t y);

// The picture's own colour at a pixel, the marks taken out; OutsideColour outside.
Colour CleanPixel(const Surface &picture, const DrawnMarks &marks, std::int64_t x, std::int64_t y);

inline constexpr std::array<int, 7> LoupeZooms = {2, 3, 4, 6, 8, 12, 16};
inline constexpr int StartZoom = 8;
inline constexpr int GridZoom = 6;

// The zoom `steps` places along LoupeZooms from the listed zoom nearest to
// `zoom` (positive steps magnify more), held at both ends.
int StepZoom(int zoom, int steps);

struct LoupeScene {
    Point Centre;
    int Zoom = StartZoom;             // 1 or more
    DrawnMarks Marks;                 // taken out of the colours; cross pixel and box outlined
    std::optional<Colour> LineColour; // cells of pixels near it get a dot
    int Tolerance = DefaultTolerance;
    std::vector<PointMark> Points{}; // recorded points in view, ringed over the cells
};

// Screen positions, which may lie outside the buffer.
struct ScreenPoint {
    std::int64_t X = 0;
    std::int64_t Y = 0;
    friend bool operator==(ScreenPoint, ScreenPoint) = default;
};

// The top-left screen pixel of a picture pixel's cell.
ScreenPoint CellCorner(const LoupeScene &scene, int width, int height, Point pixel);
// The picture pixel whose cell holds a screen pixel (coordinates beyond int32 saturate).
Point PixelOnScreen(const LoupeScene &scene, int width, int height, ScreenPoint screen);

// The overlay's two tones: each mark has both, so it shows on any picture.
inline constexpr std::uint32_t LoupeDark = 0xFF000000;
inline constexpr std::uint32_t LoupeLight = 0xFFFFFFFF;
inline constexpr std::uint32_t OutsideLight = 0xFFB4B4B4;
inline constexpr std::uint32_t OutsideDark = 0xFF8C8C8C;

// The side of the square dot marking a cell of the line colour, and its
// offset from the cell's top-left corner in both directions.
struct Dot {
    int Side = 1;
    int Offset = 0;
};
Dot LineColourDot(int zoom);

// The radius of a recorded point's ring, to the middle of its line, in
// screen pixels: it rings the point's cell at every zoom.
double LoupeRingRadius(int zoom, bool selected);

// Draws the scene into out (at least width x height words). Throws Error
// when the buffer is too small or the zoom below 1.
void RenderLoupe(const Surface &picture, const LoupeScene &scene, std::span<std::uint32_t> out,
                 int width, int height);

// "X 120  Y 45   R 20 G 40 B 170", or "X -3  Y 5   outside the picture".
std::string PixelText(Point pixel, const Surface &picture, const DrawnMarks &marks);

} // namespace digitize
