#include "PictureArea.h"

#include "ErrorBox.h"
#include "MarksOverlay.h"
#include "digitize/view/ZoomRender.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <span>

TPictureArea::TPictureArea(QWidget *parent) : QWidget(parent) {
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
}

void TPictureArea::SetPicture(const digitize::Surface *picture) {
    picture_ = picture;
    // Every pixel shown comes from the picture: nothing to clear first.
    setAttribute(Qt::WA_OpaquePaintEvent, picture_ != nullptr && picture_->Width() > 0);
    Fit();
    update();
}

void TPictureArea::SetZoom(digitize::Zoom zoom) {
    zoom_ = zoom;
    Fit();
    update();
}

void TPictureArea::Fit() {
    if (picture_ == nullptr)
        return;
    resize(static_cast<int>(digitize::ViewLength(picture_->Width(), zoom_)),
           static_cast<int>(digitize::ViewLength(picture_->Height(), zoom_)));
}

// Beyond this many separate changes (a long Auto Run) one rectangle around
// them all is cheaper than a region of thousands of thin lines.
constexpr qsizetype MaxPendingRects = 48;

void TPictureArea::Damage(const QRect &changed) {
    if (pending_.size() < MaxPendingRects) {
        pending_.append(changed);
    } else {
        QRect all = changed;
        for (const QRect &r : std::as_const(pending_))
            all |= r;
        pending_ = {all};
    }
    Changing();
}

void TPictureArea::Changing() {
    if (!flushQueued_) {
        flushQueued_ = true;
        QMetaObject::invokeMethod(this, &TPictureArea::Flush, Qt::QueuedConnection);
    }
}

void TPictureArea::Flush() {
    // What the picture brings up to date joins what is to be repainted.
    Guard([this] {
        if (prepare_)
            prepare_();
    });
    flushQueued_ = false;
    for (const QRect &r : std::as_const(pending_))
        update(r);
    pending_.clear();
}

void TPictureArea::paintEvent(QPaintEvent *event) {
    Guard([&] {
        if (prepare_)
            prepare_();
        if (picture_ == nullptr || picture_->Width() == 0 || picture_->Height() == 0)
            return;
        QPainter painter(this);
        if (zoom_ == digitize::OneToOne) {
            // The picture's own pixels, no copy.
            const QImage view(reinterpret_cast<const uchar *>(picture_->Bits()), picture_->Width(),
                              picture_->Height(), picture_->Width() * 4, QImage::Format_RGB32);
            for (const QRect &r : event->region())
                painter.drawImage(r.topLeft(), view, r);
        } else {
            for (const QRect &r : event->region()) {
                if (scratch_.width() < r.width() || scratch_.height() < r.height())
                    scratch_ =
                        QImage(std::max(r.width(), scratch_.width()),
                               std::max(r.height(), scratch_.height()), QImage::Format_RGB32);
                // RGB32 rows are whole words: a part r.width() wide is one run of words.
                QImage part(scratch_.bits(), r.width(), r.height(), r.width() * 4,
                            QImage::Format_RGB32);
                const std::span words(reinterpret_cast<std::uint32_t *>(part.bits()),
                                      static_cast<std::size_t>(r.width()) *
                                          static_cast<std::size_t>(r.height()));
                digitize::RenderZoomed(*picture_, zoom_,
                                       {r.left(), r.top(), r.right() + 1, r.bottom() + 1}, words);
                painter.drawImage(r.topLeft(), part);
            }
        }
        if (overlay_ != nullptr)
            overlay_->Paint(painter, event->region());
    });
}

// The picture pixel under the pointer: on a scaled screen a position falls
// inside a pixel, which is the one it belongs to, never the nearest one.
QPoint TPictureArea::PixelUnder(const QMouseEvent *event) const {
    const QPointF p = event->position();
    return {digitize::PixelUnder(p.x(), zoom_), digitize::PixelUnder(p.y(), zoom_)};
}

void TPictureArea::mousePressEvent(QMouseEvent *event) {
    if (overlay_ != nullptr)
        Guard([&] { overlay_->SelectAt(event->position()); });
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
