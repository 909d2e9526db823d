#include "MarksOverlay.h"

#include "ErrorBox.h"
#include "PictureArea.h"

#include <QPainter>
#include <QPen>

#include <cmath>

namespace {

// The most rectangles the marks of one batch of new points are repainted as.
constexpr std::size_t MaxMarkRects = 16;

QRect ToQRect(const digitize::Rect &r) {
    return {r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top};
}

QColor ToQColor(digitize::Colour c) {
    return QColor(static_cast<int>(c & 0xFFu), static_cast<int>((c >> 8) & 0xFFu),
                  static_cast<int>((c >> 16) & 0xFFu));
}

// Where a sprite's top-left pixel lies from the pixel holding the centre.
QPoint SpriteCorner(const digitize::RingStyle &style) {
    const digitize::Rect r = digitize::MarkBounds({0.5, 0.5}, style);
    return {r.Left, r.Top};
}

// A ring drawn once, antialiased, centred on the middle of the sprite pixel
// that SpriteCorner places on the mark's centre: painting a mark is then a
// small blit, not a curve.
QImage RingSprite(const digitize::RingStyle &style, const QColor &colour, bool selected) {
    const digitize::Rect r = digitize::MarkBounds({0.5, 0.5}, style);
    QImage sprite(r.Right - r.Left, r.Bottom - r.Top, QImage::Format_ARGB32_Premultiplied);
    sprite.fill(Qt::transparent);
    QPainter painter(&sprite);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    const QPointF at(0.5 - r.Left, 0.5 - r.Top);
    painter.setPen(QPen(Qt::white, style.Line + 2 * style.Halo));
    painter.drawEllipse(at, style.Radius, style.Radius);
    painter.setPen(QPen(colour, style.Line));
    painter.drawEllipse(at, style.Radius, style.Radius);
    if (selected) {
        // A dark edge outside the halo, so the chosen mark stands out on white too.
        const double outer = style.Radius + style.Line / 2 + style.Halo;
        painter.setPen(QPen(Qt::black, 1));
        painter.drawEllipse(at, outer, outer);
    }
    return sprite;
}

// Only the parts of the sprite inside the region, each a plain rectangle: a
// thin repaint (a crosshair's line) then copies a strip, not a clipped sprite.
void Blit(QPainter &painter, const QRegion &region, const QRect &at, const QImage &sprite) {
    for (const QRect &r : region) {
        const QRect part = at & r;
        if (!part.isEmpty())
            painter.drawImage(part.topLeft(), sprite, part.translated(-at.topLeft()));
    }
}

} // namespace

MarksOverlay::MarksOverlay(TPictureArea &area) : QObject(&area), area_(area) {}

void MarksOverlay::SetModel(const RecordedPoints *points) {
    points_ = points;
    connect(points, &RecordedPoints::Appended, this, &MarksOverlay::Appended);
    connect(points, &RecordedPoints::Reset, this, &MarksOverlay::Reset);
    Reset();
}

void MarksOverlay::SetShown(bool shown) {
    if (shown == shown_)
        return;
    shown_ = shown;
    // Hidden marks cannot be picked: nothing stays chosen unseen.
    selected_.reset();
    area_.update();
    emit ShownChanged(shown);
    emit Changed();
}

std::optional<PointRef> MarksOverlay::Selected() const {
    if (!shown_ || !selected_)
        return std::nullopt;
    return PointRef{selected_->Series, selected_->Index};
}

void MarksOverlay::SelectAt(QPointF at) {
    if (points_ == nullptr)
        return;
    const auto hit = shown_ ? digitize::MarkUnder(points_->Series(), area_.Zoom(), {at.x(), at.y()})
                            : std::nullopt;
    if (hit == selected_)
        return;
    DamageSelected();
    selected_ = hit;
    DamageSelected();
    emit Changed();
}

void MarksOverlay::DamageSelected() {
    if (!selected_ || !shown_)
        return;
    const auto &p = points_->At({selected_->Series, selected_->Index});
    area_.Damage(ToQRect(digitize::MarkBounds(digitize::MarkCentre(p.X, p.Y, area_.Zoom()),
                                              digitize::SelectedRing)));
}

void MarksOverlay::Appended() {
    emit Changed();
    if (queued_)
        return;
    queued_ = true;
    QMetaObject::invokeMethod(
        this, [this] { Guard([this] { CatchUp(); }); }, Qt::QueuedConnection);
}

void MarksOverlay::CatchUp() {
    queued_ = false;
    const auto &last = points_->Series().back().Points;
    const auto from =
        static_cast<std::size_t>(std::min<qsizetype>(marked_, qsizetype(last.size())));
    marked_ = static_cast<int>(last.size());
    if (!shown_)
        return;
    const std::span fresh(last.data() + from, last.size() - from);
    for (const digitize::Rect &r :
         digitize::MarksDamage(fresh, area_.Zoom(), digitize::PlainRing, MaxMarkRects))
        area_.Damage(ToQRect(r));
}

void MarksOverlay::Reset() {
    // Places may have moved: the selection would name another point.
    selected_.reset();
    marked_ = static_cast<int>(points_->Series().back().Points.size());
    area_.update();
    emit Changed();
}

const QImage &MarksOverlay::Sprite(digitize::Colour colour, bool selected) const {
    const auto key = std::pair{colour, selected};
    auto found = sprites_.find(key);
    if (found == sprites_.end())
        found =
            sprites_
                .emplace(key, RingSprite(selected ? digitize::SelectedRing : digitize::PlainRing,
                                         ToQColor(colour), selected))
                .first;
    return found->second;
}

void MarksOverlay::Paint(QPainter &painter, const QRegion &region) const {
    if (!shown_ || points_ == nullptr)
        return;
    const digitize::Zoom zoom = area_.Zoom();
    const QRect bounds = region.boundingRect();
    const QPoint corner = SpriteCorner(digitize::PlainRing);
    const auto place = [](const digitize::ViewPoint &c, QPoint from) {
        return QPoint(static_cast<int>(std::floor(c.X)) + from.x(),
                      static_cast<int>(std::floor(c.Y)) + from.y());
    };
    const auto &series = points_->Series();
    for (const digitize::Series &s : series) {
        const QImage &sprite = Sprite(s.MarkColour, false);
        for (const digitize::RecordedPoint &p : s.Points) {
            const QRect at(place(digitize::MarkCentre(p.X, p.Y, zoom), corner), sprite.size());
            // Most marks lie far from a repaint: the bounding box first.
            if (at.intersects(bounds))
                Blit(painter, region, at, sprite);
        }
    }
    // The selected mark on top of all.
    if (const auto chosen = Selected()) {
        const auto &p = points_->At(*chosen);
        const QImage &sprite =
            Sprite(series[static_cast<std::size_t>(chosen->Series)].MarkColour, true);
        const QRect at(
            place(digitize::MarkCentre(p.X, p.Y, zoom), SpriteCorner(digitize::SelectedRing)),
            sprite.size());
        Blit(painter, region, at, sprite);
    }
}

std::vector<digitize::PointMark> MarksOverlay::Within(const digitize::Rect &pixels,
                                                      int margin) const {
    if (!shown_ || points_ == nullptr)
        return {};
    return digitize::MarksWithin(points_->Series(), pixels, margin, selected_);
}
