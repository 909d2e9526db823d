// The image window: the picture with the crosshair drawn into it, the keys
// and mouse that drive every digitizing operation, and the state those
// operations share.
#pragma once

#include "MarkedPicture.h"
#include "PageChooser.h"
#include "PictureSource.h"
#include "ReferenceLocks.h"
#include "SharedState.h"
#include "digitize/calibration/Conversions.h"
#include "digitize/picture/JpegDecoder.h"
#include "digitize/record/Series.h"
#include "digitize/search/CurveTracker.h"
#include "digitize/view/ScrollFollow.h"

#include <QList>
#include <QUrl>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace Ui {
class TForm2;
}

class QUndoStack;
class RecordedPoints;
class TPictureView;

class TForm2 : public QWidget, public PictureSource {
    Q_OBJECT

  public:
    // Records into the points, each change a step of the undo stack; both
    // outlive the window.
    TForm2(RecordedPoints &points, QUndoStack &undo, QWidget *parent = nullptr);
    ~TForm2() override;

    // Pictures.
    void LoadImage(const QString &path);
    void wmDropFiles(const QList<QUrl> &files);
    void PasteImage();
    const digitize::Surface &Picture() override;
    digitize::Colour PixelAt(std::int64_t x, std::int64_t y) { return Picture().Pixel(x, y); }

    // Crosshair and box.
    void DrawCross(float X, float Y);
    void DrawSquare(float X, float Y);
    void MoveCrosshair(float X, float Y);
    digitize::DrawnMarks Marks() const override;
    std::optional<digitize::Colour> LineColour() const override;
    int Tolerance() const override;
    std::vector<digitize::PointMark> PointMarksWithin(const digitize::Rect &pixels,
                                                      int margin) const override;

    // Calibration and readout.
    bool CheckDistinct(std::int32_t otherX, std::int32_t otherY);
    void LockZero();
    void LockMax();
    // The third reference point, on the chart's point (X Max, Y Zero): with
    // it the conversion is the affine map through the three points.
    void LockThird();
    void UnlockThird();
    std::optional<digitize::Point> ThirdPoint() const { return thirdPt_; }
    void SetThirdPoint(std::optional<digitize::Point> pixel) { thirdPt_ = pixel; }
    // The two-point linear values of a column and of a row. The readout and
    // the log read through CurrentCalibration (ReferenceLocks.h), which also
    // knows log and date axes and the third point.
    float CalcXValue(float X);
    float CalcYValue(float Y);
    float CalcSquare(float X, float Y);
    float CalcSubPixel(float X, float Y);
    QString DisplayCoord(float X, float Y);
    // The row the Y readout is read at: the crosshair's own, the box average
    // or the sub-pixel centre, as the cursor settings say.
    float EstimatedRow(float X, float Y);
    void RecordPoint();
    // Records the point at X whose Y is read at the given row.
    void RecordAt(float X, float row);

    // Advanced cursor.
    void StepCursor(int delta);
    void FindSquare(float X, float Y);
    // An Auto Run's step at the exact X: the tracker settles the crosshair
    // on the curve there, or on the row it expects the curve at when the
    // line is not where the curve is heading.
    digitize::TrackStep SettleOnLine(digitize::CurveTracker &tracker, float X);
    void RunAuto();
    // Starts a new series and asks for its name.
    void NewSeries();

    // The status line under the picture.
    void ShowStatus(const QString &text);
    // The window's client size less the view the picture is shown in
    // (without scroll bars): what a window showing the whole picture adds.
    QSize ChromeAroundPicture() const;
    // The view of the picture: its zoom and the recorded points' marks.
    TPictureView &View() const;
    // Removes the point whose mark is selected, as a step Ctrl+Z takes back.
    void DeleteSelectedPoint();

    // Event handlers.
    void FormKeyDown(int key, Qt::KeyboardModifiers shift);
    void FormKeyPress(QChar ch);
    void Image1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void Image1MouseMove(Qt::KeyboardModifiers shift, int x, int y);
    void Button1Click();

  signals:
    // For the windows that show the picture again.
    void CrosshairMoved(digitize::Point pixel);
    void MouseOverPicture(digitize::Point pixel);
    void MouseLeftPicture();
    void PictureChanged();
    void LoupeAsked();

  protected:
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void showEvent(QShowEvent *event) override;

  private:
    void LockReferencePoint(ReferencePoint which);
    // Shows the error panel with the reason a lock was refused.
    void RefuseLock(const QString &reason);
    // Makes the blank picture on first use, shown in the view.
    void MakePicture();
    digitize::Surface &Canvas();
    void ReplacePicture(digitize::Surface picture);
    // name: the window's title; where: the picture's path, or where it came from.
    void NamePicture(const QString &name, const QString &where);
    void SetMarkPen(digitize::PenMode mode);
    void EraseMarks();
    void FollowCrosshair();

    std::unique_ptr<Ui::TForm2> ui;
    MarkedPicture picture_;
    std::optional<digitize::JpegDecoder> jpeg_;
    RecordedPoints &points_;
    QUndoStack &undo_;
    bool autoRunning_ = false;
    int followMargin_ =
        digitize::FollowMargin; // how far inside the edge seen the view keeps the crosshair
    std::vector<digitize::RecordedPoint> run_; // recorded by the Auto Run going on
    std::optional<digitize::Point> thirdPt_;   // the third reference point, once locked
    QString sameAxisText_;                     // the error panel's reason for Z and A
    PageChooser chooser_{this};                // while a PDF page or SVG drawing is shown
};

extern TForm2 *Form2;
