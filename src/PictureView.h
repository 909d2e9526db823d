// The image window's view of the picture: the picture area inside a scrolled
// view that shows it from its top-left corner, scrolls when it is larger than
// the window, keeps the crosshair in sight and repaints only what changed.
// It never takes the keyboard: the keys belong to the image window.
#pragma once

#include "digitize/calibration/Conversions.h"
#include "digitize/picture/Surface.h"

#include <QScrollArea>

#include <array>

class TPictureArea;

class TPictureView : public QScrollArea {
    Q_OBJECT

  public:
    explicit TPictureView(QWidget *parent = nullptr);

    // Shows the picture's own pixels (no copy), from its top-left corner.
    void ShowPicture(digitize::Surface &picture);

    // Picture pixels that changed: repainted once control returns to the
    // event loop, however many changes come before.
    void Damage(const digitize::Rect &changed);
    template <std::size_t N> void Damage(const std::array<digitize::Rect, N> &changed) {
        for (const digitize::Rect &r : changed)
            Damage(r);
    }

    // Scrolls just enough to show the pixel, if it is out of sight.
    void Follow(digitize::Point pixel);

    TPictureArea *Area() const;

  protected:
    bool viewportEvent(QEvent *event) override;
};
