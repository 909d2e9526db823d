// The image window's view of the picture: the picture area inside a scrolled
// view that shows it from its top-left corner at a zoom, scrolls when it is
// larger than the window, keeps the crosshair in sight, repaints only what
// changed and shows the recorded points' marks over the picture. Ctrl+wheel
// zooms around the pointer. It never takes the keyboard: the keys belong to
// the image window.
#pragma once

#include "RecordedPoints.h"
#include "digitize/calibration/Conversions.h"
#include "digitize/picture/Surface.h"
#include "digitize/view/PointMarks.h"
#include "digitize/view/Zoom.h"

#include <QScrollArea>

#include <optional>
#include <vector>

class MarkedPicture;
class QLabel;
class MarksOverlay;
class TPictureArea;

class TPictureView : public QScrollArea {
    Q_OBJECT

  public:
    explicit TPictureView(QWidget *parent = nullptr);

    // The picture shown, the points marked over it and the label that names
    // the zoom; all outlive the view.
    void Attach(MarkedPicture &picture, const RecordedPoints &points, QLabel *zoomLabel);
    // The picture was made or replaced: shown one to one from its top-left corner.
    void ShowPicture();

    // Picture pixels that changed: repainted once control returns to the
    // event loop, however many changes come before.
    void Damage(const digitize::Rect &changed);

    // Scrolls just enough to keep the pixel `margin` pixels inside the part
    // of the view that is seen (on the screen); margin 0 only brings it into
    // sight.
    void Follow(digitize::Point pixel, int margin);

    // Zoom: `steps` stops up (positive) or down, or one to one, keeping the
    // given picture pixel where it is on screen when it is in sight, else
    // the middle of the view.
    void StepZoom(int steps, digitize::Point keep);
    void ZoomOneToOne(digitize::Point keep);
    // Ctrl with plus (or the unshifted plus key, "="), minus or 0: zooms and
    // answers true; any other key: false.
    bool ZoomKey(int key, digitize::Point keep);
    digitize::Zoom Zoom() const { return zoom_; }
    // The zoom at which the whole picture fits the view.
    digitize::Zoom FitZoom() const;
    // "Zoom 400%", "Zoom 25% (fit)".
    QString ZoomText() const;

    // The recorded points' marks.
    void SetMarksShown(bool shown);
    bool MarksShown() const;
    std::optional<PointRef> SelectedPoint() const;
    std::vector<digitize::PointMark> MarksWithin(const digitize::Rect &pixels, int margin) const;

    TPictureArea *Area() const;

  signals:
    void ZoomChanged(const QString &text);
    void MarksShownChanged(bool shown);
    // What the marks show changed (shown, selection, points).
    void MarksChanged();

  protected:
    bool viewportEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

  private:
    // Sets the zoom, keeping the content under `anchor` (a viewport position) in place.
    void SetZoom(digitize::Zoom zoom, QPointF anchor);
    QPointF AnchorFor(digitize::Point keep) const;

    MarkedPicture *picture_ = nullptr;
    MarksOverlay *overlay_ = nullptr; // the area owns it
    digitize::Zoom zoom_ = digitize::OneToOne;
    bool fitted_ = false;  // the user asked for the fit: a resize fits again
    int wheelEighths_ = 0; // Ctrl+wheel turned, in eighths of a degree, not yet a whole step
};
