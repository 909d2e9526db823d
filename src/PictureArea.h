// The picture area of the image window: shows the picture at the view's zoom
// from its top-left corner, the marks of the recorded points over it, and
// reports mouse presses and moves in picture pixels. Its own pixels are the
// zoomed picture's view pixels (see digitize/view/Zoom.h).
#pragma once

#include "digitize/picture/Surface.h"
#include "digitize/view/Zoom.h"

#include <QImage>
#include <QList>
#include <QWidget>

#include <functional>

class MarksOverlay;

class TPictureArea : public QWidget {
    Q_OBJECT

  public:
    explicit TPictureArea(QWidget *parent = nullptr);

    // The picture to show, read where it lies whenever the area paints; null
    // shows nothing. The area takes the picture's size at the zoom.
    void SetPicture(const digitize::Surface *picture);
    const digitize::Surface *Picture() const { return picture_; }
    void SetZoom(digitize::Zoom zoom);
    digitize::Zoom Zoom() const { return zoom_; }
    // Drawn over the picture; it outlives the area's use of it.
    void SetOverlay(MarksOverlay *overlay) { overlay_ = overlay; }
    // Run before each paint and before changes are repainted, to bring the
    // picture's pixels up to date.
    void SetBeforePaint(std::function<void()> prepare) { prepare_ = std::move(prepare); }

    // Area pixels that changed: repainted once control returns to the event
    // loop, however many changes come before.
    void Damage(const QRect &changed);
    // The picture's pixels are about to change: brought up to date and
    // repainted once control returns to the event loop.
    void Changing();

  signals:
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void MouseMove(Qt::KeyboardModifiers shift, int x, int y);
    void MouseLeave();

  protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

  private:
    void Flush();
    void Fit();
    QPoint PixelUnder(const QMouseEvent *event) const;

    const digitize::Surface *picture_ = nullptr;
    digitize::Zoom zoom_ = digitize::OneToOne;
    MarksOverlay *overlay_ = nullptr;
    std::function<void()> prepare_;
    QImage scratch_; // a zoomed part, reused from paint to paint
    QList<QRect> pending_;
    bool flushQueued_ = false;
};
