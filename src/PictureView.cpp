#include "PictureView.h"

#include "PictureArea.h"
#include "digitize/view/ScrollFollow.h"

#include <QApplication>
#include <QScrollBar>
#include <QWheelEvent>

TPictureView::TPictureView(QWidget *parent) : QScrollArea(parent) {
    // The keys belong to the window: the view must not take the arrows.
    for (QWidget *w : {static_cast<QWidget *>(horizontalScrollBar()),
                       static_cast<QWidget *>(verticalScrollBar()), viewport()})
        w->setFocusPolicy(Qt::NoFocus);
    setFocusPolicy(Qt::NoFocus);
}

TPictureArea *TPictureView::Area() const {
    return static_cast<TPictureArea *>(widget());
}

void TPictureView::ShowPicture(digitize::Surface &picture) {
    const int w = picture.Width();
    const int h = picture.Height();
    Area()->SetView(w > 0 && h > 0 ? QImage(reinterpret_cast<uchar *>(picture.Bits()), w, h, w * 4,
                                            QImage::Format_RGB32)
                                   : QImage());
    Area()->resize(w, h);
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
}

void TPictureView::Damage(const digitize::Rect &changed) {
    if (!changed.Empty())
        Area()->Damage(QRect(changed.Left, changed.Top, changed.Right - changed.Left,
                             changed.Bottom - changed.Top));
}

void TPictureView::Follow(digitize::Point pixel) {
    QScrollBar *across = horizontalScrollBar();
    QScrollBar *down = verticalScrollBar();
    const QSize view = viewport()->size();
    across->setValue(digitize::FollowOffset(across->value(), view.width(), Area()->width(), pixel.X,
                                            digitize::FollowMargin));
    down->setValue(digitize::FollowOffset(down->value(), view.height(), Area()->height(), pixel.Y,
                                          digitize::FollowMargin));
}

bool TPictureView::viewportEvent(QEvent *event) {
    // Shift+wheel scrolls across, as in most picture viewers.
    if (event->type() == QEvent::Wheel) {
        auto *wheel = static_cast<QWheelEvent *>(event);
        if (wheel->modifiers().testFlag(Qt::ShiftModifier) && wheel->angleDelta().x() == 0) {
            QWheelEvent across(wheel->position(), wheel->globalPosition(),
                               wheel->pixelDelta().transposed(), wheel->angleDelta().transposed(),
                               wheel->buttons(), wheel->modifiers() & ~Qt::ShiftModifier,
                               wheel->phase(), wheel->inverted(), wheel->source());
            QApplication::sendEvent(horizontalScrollBar(), &across);
            return true;
        }
    }
    return QScrollArea::viewportEvent(event);
}
