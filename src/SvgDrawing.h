// An SVG drawing, rendered with Qt's SVG renderer at a chosen size: the
// resolution is the long side in pixels.
#pragma once

#include "DrawnPicture.h"

#include <QByteArray>

class SvgDrawing : public DrawnPicture {
  public:
    // Throws Error("Cannot read <path>: SVG drawing is not valid") when Qt's
    // renderer refuses the file or it has no size.
    explicit SvgDrawing(const QString &path);

    int Pages() const override { return 1; }
    bool PerInch() const override { return false; }
    int DefaultResolution() const override;
    Rendering Render(int page, int resolution) const override;

  private:
    QByteArray content_;
};
