// Where the reference points lie in the picture, and how a picture position
// is placed between them: the fractions (u, v) of the way from the Zero value
// to the Max value along the graph's X and Y axes.
//
// With two points each axis is read on its own: u from the picture column,
// v from the row (rows grow downward, values upward):
//   u = (x - Zero.x) / (Max.x - Zero.x),   v = (Zero.y - y) / (Zero.y - Max.y).
// With a third point, locked on the chart's point (X Max, Y Zero), the map is
// the affine one through the three points, so a rotated, sheared or unevenly
// scaled chart reads right:
//   p = Zero + u * (Third - Zero) + v * (Max - Third).
// Positions are picture pixels with fractions (pixel i covers [i, i + 1)).
// Arithmetic is in extended precision.
#pragma once

#include <optional>

namespace digitize {

struct PixelPoint {
    double X = 0;
    double Y = 0;
};

struct Fractions {
    long double U = 0;
    long double V = 0;
};

// True when the three points lie on one line, to within a pixel: no affine
// map goes through them.
bool OnOneLine(PixelPoint a, PixelPoint b, PixelPoint c);

class Frame {
  public:
    // Two points; they differ in X and in Y.
    Frame(PixelPoint zero, PixelPoint max);
    // Three points; throws Error when they lie on one line.
    Frame(PixelPoint zero, PixelPoint max, PixelPoint third);

    Fractions ToFractions(PixelPoint p) const;
    PixelPoint ToPixel(Fractions f) const;

    // The pixel lengths of the X axis (Zero to Max, or Zero to Third) and of
    // the Y axis (Zero to Max, or Third to Max) between the reference points.
    double XLength() const;
    double YLength() const;

    PixelPoint Zero() const { return zero_; }
    PixelPoint Max() const { return max_; }
    const std::optional<PixelPoint> &Third() const { return third_; }

  private:
    PixelPoint zero_;
    PixelPoint max_;
    std::optional<PixelPoint> third_;
};

} // namespace digitize
