#include "PictureArea.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <cmath>

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

// Beyond this many separate changes (a long Auto Run) one rectangle around
// them all is cheaper than a region of thousands of thin lines.
constexpr qsizetype MaxPendingRects = 32;

void TPictureArea::Damage(const QRect &changed) {
    if (pending_.size() < MaxPendingRects) {
        pending_.append(changed);
    } else {
        QRect all = changed;
        for (const QRect &r : std::as_const(pending_))
            all |= r;
        pending_ = {all};
    }
    if (!flushQueued_) {
        flushQueued_ = true;
        QMetaObject::invokeMethod(this, &TPictureArea::Flush, Qt::QueuedConnection);
    }
}

void TPictureArea::Flush() {
    flushQueued_ = false;
    for (const QRect &r : std::as_const(pending_))
        update(r);
    pending_.clear();
}

void TPictureArea::paintEvent(QPaintEvent *event) {
    if (view_.isNull())
        return;
    QPainter painter(this);
    for (const QRect &r : event->region())
        painter.drawImage(r.topLeft(), view_, r);
}

namespace {

// The picture pixel under the pointer: on a scaled screen a position falls
// inside a pixel, which is the one it belongs to, never the nearest one.
QPoint PixelUnder(const QMouseEvent *event) {
    const QPointF p = event->position();
    return {static_cast<int>(std::floor(p.x())), static_cast<int>(std::floor(p.y()))};
}

} // namespace

void TPictureArea::mousePressEvent(QMouseEvent *event) {
    const QPoint p = PixelUnder(event);
    emit MouseDown(event->button(), event->modifiers(), p.x(), p.y());
}

void TPictureArea::mouseMoveEvent(QMouseEvent *event) {
    const QPoint p = PixelUnder(event);
    emit MouseMove(event->modifiers(), p.x(), p.y());
}

void TPictureArea::leaveEvent(QEvent *) {
    emit MouseLeave();
}
