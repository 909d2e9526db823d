// A chart's true curves in picture coordinates (column, row; a whole number
// is a pixel's centre), read from a truth CSV ("series,x,y", "nan" breaking a
// line) and a chart's entry of calibration.json, and the errors of a point
// against them as ../shared/ACCURACY.md measures them.
#pragma once

#include <QJsonObject>
#include <QString>

#include <optional>
#include <vector>

namespace tools {

struct PicturePoint {
    double Col = 0;
    double Row = 0;
};

struct PointError {
    double Vertical = 0; // rows between the point and the curve at its column
    double Distance = 0; // shortest distance to the curve, in pixels
};

class TrueCurve {
  public:
    // The series' samples mapped into the picture by the chart's reference
    // (or affine) points. Markers only: the curve has a value only within
    // markerHalfWidth columns of a sample, where it is the sample's row.
    TrueCurve(const QJsonObject &chart, const QString &csvPath, const QString &series);

    bool Markers() const { return markers_; }
    double FirstX() const { return firstX_; }
    double LastX() const { return lastX_; }
    // The true row at a graph x (in the middle of the samples), for a start.
    double RowAtValue(double x) const;

    // Nothing where the curve has no value at the point's column.
    std::optional<PointError> ErrorOf(PicturePoint p) const;

  private:
    PicturePoint ToPicture(double x, double y) const;

    std::vector<std::vector<PicturePoint>> pieces_; // unbroken stretches
    bool markers_ = false;
    double firstX_ = 0;
    double lastX_ = 0;
    std::vector<double> affine_; // x -> col, row: a b c d e f (col = a + b x + c y ...)
};

} // namespace tools
