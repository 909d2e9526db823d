// The loupe's magnified picture: the image window's picture around one pixel,
// as the picture is without the crosshair's marks, at a zoom the mouse wheel
// changes. It draws only when painted, so following the crosshair costs a
// stored point and a repaint request.
#pragma once

#include "digitize/calibration/Conversions.h"

class PictureSource;

#include <QImage>
#include <QWidget>

class LoupeView : public QWidget {
    Q_OBJECT

  public:
    explicit LoupeView(QWidget *parent = nullptr);

    // What the loupe shows; nothing is drawn until it has one.
    void SetSource(PictureSource *source) { source_ = source; }
    // The picture pixel shown in the middle cell.
    void SetCentre(digitize::Point centre);
    digitize::Point Centre() const { return centre_; }
    // Screen pixels a side of each picture pixel's cell.
    int Zoom() const { return zoom_; }

  protected:
    void paintEvent(QPaintEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

  private:
    PictureSource *source_ = nullptr;
    digitize::Point centre_;
    int zoom_;
    int wheelEighths_ = 0; // wheel turned, in eighths of a degree, not yet a whole step
    QImage frame_;
};
