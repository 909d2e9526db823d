// The image window: the picture with the crosshair drawn into it, every
// digitizing operation, and the state those operations share.
#pragma once

#include "digitize/calibration/Conversions.h"
#include "digitize/loupe/Loupe.h"
#include "digitize/picture/JpegDecoder.h"
#include "digitize/picture/Surface.h"

#include <QImage>
#include <QList>
#include <QUrl>
#include <QWidget>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

namespace Ui {
class TForm2;
}

// The state shared by the digitizing operations; ResetSharedState gives the
// values every start begins with.
extern float CurX; // crosshair, picture pixels (fractions kept)
extern float CurY;
extern digitize::Point ZeroPt; // locked reference pixels; always differ in X and in Y
extern digitize::Point MaxPt;
extern bool CrossDrawn;        // the cross is in the picture
extern bool BoxDrawn;          // the box is in the picture
extern bool XStepOn;           // Ctrl+Left/Right step along X
extern bool BoxShown;          // the box is drawn with the cross
extern std::int32_t StepIndex; // step the crosshair was last moved to
extern float StepPixels;       // pixels per step along X
extern std::int32_t BoxHalfW;
extern std::int32_t BoxHalfH;      // never changes
extern bool CalcYOn;               // Y readout is the box average
extern bool FindYOn;               // steps search the column for the curve
extern digitize::Colour LineColor; // colour of the curve being followed
extern int ColorTolerance;         // how far a curve pixel's channels may lie from LineColor
extern bool LineColorSet;          // LineColor was sampled from the picture
extern bool SubPixelOn;            // Y readout and log are the curve's sub-pixel centre
void ResetSharedState();

class TForm2 : public QWidget {
    Q_OBJECT

  public:
    explicit TForm2(QWidget *parent = nullptr);
    ~TForm2() override;

    // Pictures.
    void LoadImage(const QString &path);
    void wmDropFiles(const QList<QUrl> &files);
    void PasteImage();
    // The picture, made blank white at the picture area's size on first use.
    const digitize::Surface &Picture();
    digitize::Colour PixelAt(std::int64_t x, std::int64_t y) { return Picture().Pixel(x, y); }

    // Crosshair and box.
    void DrawCross(float X, float Y);
    void DrawSquare(float X, float Y);
    void MoveCrosshair(float X, float Y);
    // Where the crosshair's marks are in the picture now.
    digitize::DrawnMarks Marks() const;

    // Calibration and readout.
    bool CheckDistinct(std::int32_t otherX, std::int32_t otherY);
    void LockZero();
    void LockMax();
    float CalcXValue(float X);
    float CalcYValue(float Y);
    float CalcSquare(float X, float Y);
    float CalcSubPixel(float X, float Y);
    QString DisplayCoord(float X, float Y);
    void RecordPoint();

    // Advanced cursor.
    void StepCursor(int delta);
    void FindSquare(float X, float Y);
    void RunAuto();

    // Event handlers.
    void FormKeyDown(int key, Qt::KeyboardModifiers shift);
    void FormKeyPress(QChar ch);
    void Image1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void Image1MouseMove(Qt::KeyboardModifiers shift, int x, int y);
    void Button1Click();

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void showEvent(QShowEvent *event) override;

  private:
    void LockReferencePoint(bool zero);
    digitize::Surface &Canvas();
    void ReplacePicture(digitize::Surface picture);
    void SetMarkPen(digitize::PenMode mode);
    void EraseMarks();
    // Scrolls the view just enough to show the crosshair, if it is out of sight.
    void FollowCrosshair();
    template <std::size_t N> void Repaint(const std::array<digitize::Rect, N> &changed);

    std::unique_ptr<Ui::TForm2> ui;
    digitize::Surface picture_;
    bool pictureMade_ = false;
    std::optional<digitize::JpegDecoder> jpeg_;
    bool autoRunning_ = false;
};

extern TForm2 *Form2;
