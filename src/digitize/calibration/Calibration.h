// The calibration as the user has set it up: the reference points locked in
// the picture (Frame.h) and the two graph axes (Axis.h). It converts picture
// positions to graph values and back.
//
// With two reference points and linear axes the reading is exactly the one
// of CalcXValue and CalcYValue: each value computed in extended precision and
// stored as a 32-bit float. Log and time axes are kept in double: a date in
// seconds since 1970 needs ten digits, a float holds seven.
#pragma once

#include "digitize/calibration/Axis.h"
#include "digitize/calibration/Frame.h"

namespace digitize {

struct GraphPoint {
    double X = 0;
    double Y = 0;
};

class Calibration {
  public:
    Calibration(Frame frame, Axis x, Axis y) : frame_(frame), x_(x), y_(y) {}

    // The graph point at a picture position, unrounded.
    GraphPoint ToGraph(PixelPoint p) const;
    // The same as the readout and the log show it: a linear axis's value
    // stored as a 32-bit float (Error "Floating point overflow" beyond its range).
    GraphPoint Reading(PixelPoint p) const;
    // The picture position of a graph point; throws Error for a value a log
    // axis cannot hold.
    PixelPoint ToPixel(GraphPoint g) const;

    const Frame &Pixels() const { return frame_; }
    const Axis &X() const { return x_; }
    const Axis &Y() const { return y_; }

  private:
    Frame frame_;
    Axis x_;
    Axis y_;
};

} // namespace digitize
