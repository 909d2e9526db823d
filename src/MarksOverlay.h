// The marks of the recorded points over the picture area: painted from the
// recorded points in the area's own paint, above the picture and never into
// it, so the searches read the picture as it is. New points repaint only
// their marks, once per event loop turn however many came; other changes
// repaint what is in view. A click selects the mark under it.
#pragma once

#include "RecordedPoints.h"
#include "digitize/view/PointMarks.h"

#include <QImage>
#include <QObject>
#include <QRegion>

#include <map>
#include <optional>
#include <utility>
#include <vector>

class QPainter;
class QPointF;
class TPictureArea;

class MarksOverlay : public QObject {
    Q_OBJECT

  public:
    // Paints into this area, which outlives the overlay.
    explicit MarksOverlay(TPictureArea &area);

    // The points to mark; they outlive the overlay.
    void SetModel(const RecordedPoints *points);

    void SetShown(bool shown);
    bool Shown() const { return shown_; }

    // The selected point, while the marks are shown.
    std::optional<PointRef> Selected() const;
    // Selects the mark under an area position, or none.
    void SelectAt(QPointF at);

    // Paints the marks that touch the region (area pixels).
    void Paint(QPainter &painter, const QRegion &region) const;

    // The shown marks of the points whose pixels lie within `pixels`
    // widened by `margin`, for windows that show the picture again.
    std::vector<digitize::PointMark> Within(const digitize::Rect &pixels, int margin) const;

  signals:
    // The marks shown changed: shown or hidden, selected, points changed.
    void Changed();
    void ShownChanged(bool shown);

  private:
    void Appended();
    void Reset();
    void CatchUp();
    void DamageSelected();
    // The ring of a series' colour, drawn once.
    const QImage &Sprite(digitize::Colour colour, bool selected) const;

    TPictureArea &area_;
    const RecordedPoints *points_ = nullptr;
    bool shown_ = true;
    std::optional<digitize::MarkRef> selected_;
    int marked_ = 0; // points of the last series whose marks were repainted
    bool queued_ = false;
    mutable std::map<std::pair<digitize::Colour, bool>, QImage> sprites_;
};
