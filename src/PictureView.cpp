#include "PictureView.h"

#include "ErrorBox.h"
#include "MarkedPicture.h"
#include "MarksOverlay.h"
#include "PictureArea.h"
#include "digitize/view/ScrollFollow.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QScrollBar>
#include <QWheelEvent>

#include <limits>

namespace {

// One notch of a common mouse wheel.
constexpr int NotchEighths = 120;

int ScrollValue(std::int64_t offset) {
    return static_cast<int>(std::clamp<std::int64_t>(offset, 0, std::numeric_limits<int>::max()));
}

} // namespace

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

void TPictureView::Attach(MarkedPicture &picture, const RecordedPoints &points, QLabel *zoomLabel) {
    picture_ = &picture;
    const auto showZoom = [zoomLabel](const QString &text) {
        zoomLabel->setText(text);
        zoomLabel->setAccessibleDescription(text); // its name says what it is
    };
    connect(this, &TPictureView::ZoomChanged, zoomLabel, showZoom);
    showZoom(ZoomText());
    overlay_ = new MarksOverlay(*Area()); // the area owns it
    Area()->SetOverlay(overlay_);
    overlay_->SetModel(&points);
    connect(overlay_, &MarksOverlay::ShownChanged, this, &TPictureView::MarksShownChanged);
    connect(overlay_, &MarksOverlay::Changed, this, &TPictureView::MarksChanged);
    picture.OnDamage([this](const digitize::Rect &changed) { Damage(changed); });
    // The crosshair's marks reach the pixels once the handler that drew them
    // is done, or before a paint that comes first.
    Area()->SetBeforePaint([this] { picture_->Settle(); });
    picture.OnPending([this] { Area()->Changing(); });
}

void TPictureView::ShowPicture() {
    zoom_ = digitize::OneToOne;
    fitted_ = false;
    Area()->SetZoom(zoom_);
    Area()->SetPicture(&picture_->Current());
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    emit ZoomChanged(ZoomText());
}

void TPictureView::Damage(const digitize::Rect &changed) {
    const digitize::Rect r = digitize::ViewRect(changed, zoom_);
    if (!r.Empty())
        Area()->Damage(QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top));
}

void TPictureView::Follow(digitize::Point pixel, int margin) {
    // The middle of the pixel's cell, in view pixels.
    const digitize::Extent x = digitize::ViewSpan(pixel.X, std::int64_t{pixel.X} + 1, zoom_);
    const digitize::Extent y = digitize::ViewSpan(pixel.Y, std::int64_t{pixel.Y} + 1, zoom_);
    QScrollBar *across = horizontalScrollBar();
    QScrollBar *down = verticalScrollBar();
    const QSize view = viewport()->size();
    // What the screen shows of the view: a window may reach past its edge.
    QRect seen = viewport()->rect();
    if (const QScreen *s = screen(); s != nullptr && isVisible()) {
        const QRect screen = s->availableGeometry();
        seen &= QRect(viewport()->mapFromGlobal(screen.topLeft()), screen.size());
    }
    across->setValue(digitize::FollowOffset(across->value(), view.width(),
                                            {seen.left(), seen.right() + 1}, Area()->width(),
                                            (x.First + x.End - 1) / 2, margin));
    down->setValue(digitize::FollowOffset(down->value(), view.height(),
                                          {seen.top(), seen.bottom() + 1}, Area()->height(),
                                          (y.First + y.End - 1) / 2, margin));
}

digitize::Zoom TPictureView::FitZoom() const {
    const digitize::Surface *picture = Area()->Picture();
    if (picture == nullptr)
        return digitize::OneToOne;
    const QSize room = maximumViewportSize();
    return digitize::FitZoom(picture->Width(), picture->Height(), room.width(), room.height());
}

QString TPictureView::ZoomText() const {
    return QString::fromStdString(digitize::ZoomText(zoom_, zoom_ == FitZoom()));
}

QPointF TPictureView::AnchorFor(digitize::Point keep) const {
    const digitize::Extent x = digitize::ViewSpan(keep.X, std::int64_t{keep.X} + 1, zoom_);
    const digitize::Extent y = digitize::ViewSpan(keep.Y, std::int64_t{keep.Y} + 1, zoom_);
    const QPointF at(static_cast<double>(x.First + x.End) / 2 - horizontalScrollBar()->value(),
                     static_cast<double>(y.First + y.End) / 2 - verticalScrollBar()->value());
    const QRectF room(QPointF(0, 0), QSizeF(viewport()->size()));
    return room.contains(at) ? at : room.center();
}

void TPictureView::StepZoom(int steps, digitize::Point keep) {
    SetZoom(digitize::NextZoom(zoom_, steps, FitZoom()), AnchorFor(keep));
}

void TPictureView::ZoomOneToOne(digitize::Point keep) {
    SetZoom(digitize::OneToOne, AnchorFor(keep));
}

bool TPictureView::ZoomKey(int key, digitize::Point keep) {
    switch (key) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        StepZoom(+1, keep);
        return true;
    case Qt::Key_Minus:
        StepZoom(-1, keep);
        return true;
    case Qt::Key_0:
        ZoomOneToOne(keep);
        return true;
    default:
        return false;
    }
}

void TPictureView::SetZoom(digitize::Zoom zoom, QPointF anchor) {
    fitted_ = zoom == FitZoom();
    if (zoom != zoom_ && Area()->Picture() != nullptr) {
        const std::int64_t x =
            digitize::AnchoredOffset(horizontalScrollBar()->value(), anchor.x(), zoom_, zoom);
        const std::int64_t y =
            digitize::AnchoredOffset(verticalScrollBar()->value(), anchor.y(), zoom_, zoom);
        zoom_ = zoom;
        Area()->SetZoom(zoom); // the scroll ranges follow the area's new size
        horizontalScrollBar()->setValue(ScrollValue(x));
        verticalScrollBar()->setValue(ScrollValue(y));
    }
    emit ZoomChanged(ZoomText());
}

void TPictureView::SetMarksShown(bool shown) {
    if (overlay_ != nullptr)
        overlay_->SetShown(shown);
}

bool TPictureView::MarksShown() const {
    return overlay_ == nullptr || overlay_->Shown();
}

std::optional<PointRef> TPictureView::SelectedPoint() const {
    return overlay_ != nullptr ? overlay_->Selected() : std::nullopt;
}

std::vector<digitize::PointMark> TPictureView::MarksWithin(const digitize::Rect &pixels,
                                                           int margin) const {
    return overlay_ != nullptr ? overlay_->Within(pixels, margin)
                               : std::vector<digitize::PointMark>{};
}

bool TPictureView::viewportEvent(QEvent *event) {
    if (event->type() == QEvent::Wheel) {
        auto *wheel = static_cast<QWheelEvent *>(event);
        // Ctrl+wheel zooms around the picture point under the pointer.
        if (wheel->modifiers().testFlag(Qt::ControlModifier)) {
            wheelEighths_ += wheel->angleDelta().y();
            const int steps = wheelEighths_ / NotchEighths;
            wheelEighths_ -= steps * NotchEighths;
            if (steps != 0 && Area()->Picture() != nullptr)
                Guard([&] {
                    SetZoom(digitize::NextZoom(zoom_, steps, FitZoom()), wheel->position());
                });
            return true;
        }
        // Shift+wheel scrolls across, as in most picture viewers.
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

void TPictureView::resizeEvent(QResizeEvent *event) {
    QScrollArea::resizeEvent(event);
    // A view fitted to the picture stays fitted as the window changes size.
    if (fitted_ && Area() != nullptr && Area()->Picture() != nullptr) {
        if (const digitize::Zoom fit = FitZoom(); fit != zoom_)
            SetZoom(fit, {0, 0});
    }
    if (Area() != nullptr)
        emit ZoomChanged(ZoomText());
}
