#include "LoupeView.h"

#include "ErrorBox.h"
#include "PictureSource.h"
#include "digitize/loupe/Loupe.h"

#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

#include <span>

namespace {

// One notch of a common mouse wheel.
constexpr int NotchEighths = 120;

} // namespace

LoupeView::LoupeView(QWidget *parent) : QWidget(parent), zoom_(digitize::StartZoom) {
    // Every pixel comes from the frame: nothing to clear first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void LoupeView::SetCentre(digitize::Point centre) {
    centre_ = centre;
    update();
}

void LoupeView::paintEvent(QPaintEvent *) {
    Guard([this] {
        if (frame_.size() != size())
            frame_ = QImage(size(), QImage::Format_RGB32);
        if (frame_.isNull() || source_ == nullptr)
            return;
        digitize::LoupeScene scene{centre_, zoom_, source_->Marks(), source_->LineColour(),
                                   source_->Tolerance()};
        // The recorded points in the loupe, and those near enough for their rings to reach in.
        const digitize::Point first = digitize::PixelOnScreen(scene, width(), height(), {0, 0});
        const digitize::Point last =
            digitize::PixelOnScreen(scene, width(), height(), {width() - 1, height() - 1});
        const int reach = static_cast<int>(digitize::LoupeRingRadius(zoom_, true) + 4) / zoom_ + 1;
        scene.Points = source_->PointMarksWithin({first.X, first.Y, last.X + 1, last.Y + 1}, reach);
        // RGB32 rows are whole words, so the image is one unpadded run of words.
        const std::span words(reinterpret_cast<std::uint32_t *>(frame_.bits()),
                              static_cast<std::size_t>(frame_.sizeInBytes()) / 4);
        digitize::RenderLoupe(source_->Picture(), scene, words, frame_.width(), frame_.height());
        QPainter(this).drawImage(0, 0, frame_);
    });
}

void LoupeView::wheelEvent(QWheelEvent *event) {
    wheelEighths_ += event->angleDelta().y();
    const int steps = wheelEighths_ / NotchEighths;
    wheelEighths_ -= steps * NotchEighths;
    const int zoom = digitize::StepZoom(zoom_, steps);
    if (zoom != zoom_) {
        zoom_ = zoom;
        update();
    }
    event->accept();
}
