// The picture area of the image window: shows the picture one to one from
// its top-left corner and reports mouse presses and moves in picture pixels.
#pragma once

#include <QImage>
#include <QList>
#include <QWidget>

class TPictureArea : public QWidget {
    Q_OBJECT

  public:
    explicit TPictureArea(QWidget *parent = nullptr);

    // The picture to show (a view over the picture's own pixels, not a copy).
    void SetView(const QImage &view);
    // Pixels of the picture that changed: repainted once control returns to
    // the event loop, however many changes come before.
    void Damage(const QRect &changed);

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

    QImage view_;
    QList<QRect> pending_;
    bool flushQueued_ = false;
};
