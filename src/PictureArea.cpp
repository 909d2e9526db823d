#include "PictureArea.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

TPictureArea::TPictureArea(QWidget *parent) : QWidget(parent) {
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
}

void TPictureArea::SetView(const QImage &view) {
    view_ = view;
    // Every pixel shown comes from the picture: nothing to clear first.
    setAttribute(Qt::WA_OpaquePaintEvent, !view_.isNull());
    update();
}

void TPictureArea::paintEvent(QPaintEvent *event) {
    if (view_.isNull())
        return;
    QPainter painter(this);
    for (const QRect &r : event->region())
        painter.drawImage(r.topLeft(), view_, r);
}

void TPictureArea::mousePressEvent(QMouseEvent *event) {
    const QPoint p = event->position().toPoint();
    emit MouseDown(event->button(), event->modifiers(), p.x(), p.y());
}

void TPictureArea::mouseMoveEvent(QMouseEvent *event) {
    const QPoint p = event->position().toPoint();
    emit MouseMove(event->modifiers(), p.x(), p.y());
}
