#include "Unit2.h"
#include "ui_Unit2.h"

#include "AutoRun.h"
#include "ErrorBox.h"
#include "PictureArea.h"
#include "PictureView.h"
#include "Readout.h"
#include "RecordCommands.h"
#include "ReferenceLocks.h"
#include "Unit1.h"
#include "WindowLook.h"
#include "digitize/calibration/AxisStep.h"
#include "digitize/calibration/Rounding.h"
#include "digitize/search/ColumnSearch.h"

#include <QApplication>
#include <QScopeGuard>
#include <QScopedValueRollback>
#include <QShortcut>
#include <QShowEvent>
#include <QTimer>
#include <QUndoStack>

using digitize::Round;

TForm2 *Form2 = nullptr;

namespace {

const QString OnOneLineText =
    QStringLiteral("The three reference points are on one line. Lock C on the chart's point "
                   "(X Max, Y Zero).");

} // namespace

TForm2::TForm2(RecordedPoints &points, QUndoStack &undo, QWidget *parent)
    : QWidget(parent), ui(std::make_unique<Ui::TForm2>()), points_(points), undo_(undo) {
    Form2 = this;
    ForgetLocks();
    ui->setupUi(this);
    look::UseWindowFont(this);
    for (QLabel *label : {ui->Label1, ui->Label3, ui->Label4})
        look::UseFont(label, look::LargePixels, true);
    look::SetTextColour(ui->Label3, 0x000080); // maroon
    look::SetTextColour(ui->Label1, 0xFF0000); // blue
    look::SetTextColour(ui->Label4, 0x008000); // green
    ui->Label3->adjustSize();
    ui->Label4->adjustSize();
    look::SetBackground(ui->Panel1, 0xDDDDDD);
    ui->Panel1->raise();
    // The status line is read as it changes: no name of its own hides its text.
    ui->StatusBar1->addWidget(ui->Label2, 1);
    // The zoom on the status line's right, beside the messages.
    ui->StatusBar1->addPermanentWidget(ui->Label9);
    move(282, 6);
    // The picture area keeps its size; the status line adds its own height.
    resize(width(), height() + ui->StatusBar1->sizeHint().height());

    ui->ScrollBox1->Attach(picture_, points_, ui->Label9);

    connect(ui->Image1, &TPictureArea::MouseDown, this,
            [this](Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) {
                Guard([&] { Image1MouseDown(button, shift, x, y); });
            });
    connect(ui->Image1, &TPictureArea::MouseMove, this,
            [this](Qt::KeyboardModifiers shift, int x, int y) {
                Guard([&] { Image1MouseMove(shift, x, y); });
            });
    connect(ui->Image1, &TPictureArea::MouseLeave, this, &TForm2::MouseLeftPicture);
    connect(ui->Button1, &QPushButton::clicked, this,
            [this] { Guard([this] { Button1Click(); }); });
    sameAxisText_ = ui->Label1->text();
    // Another page or resolution is a new picture of the same file.
    chooser_.SetReceiver([this](digitize::Surface picture) {
        ReplacePicture(std::move(picture));
        CrossDrawn = false;
        BoxDrawn = false;
    });
    auto *undoKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), this); // the window owns it
    connect(undoKey, &QShortcut::activated, this, [this] { Guard([this] { undo_.undo(); }); });
    auto *redoKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), this);
    connect(redoKey, &QShortcut::activated, this, [this] { Guard([this] { undo_.redo(); }); });
}

TForm2::~TForm2() {
    if (Form2 == this)
        Form2 = nullptr;
}

// ------------------------------------------------------- crosshair and box

void TForm2::SetMarkPen(digitize::PenMode mode) {
    MakePicture();
    picture_.SetPen({digitize::MarkColour, 1, mode});
}

// The marks reach the pixels when the picture is read or shown (MarkedPicture.h).
void TForm2::DrawCross(float X, float Y) {
    MakePicture();
    picture_.DrawCross({Round(X), Round(Y)});
    CrossDrawn = true;
}

void TForm2::DrawSquare(float X, float Y) {
    MakePicture();
    picture_.DrawBox(digitize::BoxAround({Round(X), Round(Y)}, BoxHalfW, BoxHalfH));
    BoxDrawn = true;
}

void TForm2::EraseMarks() {
    if (CrossDrawn)
        picture_.RedrawCross();
    if (BoxDrawn)
        picture_.RedrawBox();
    CrossDrawn = false;
    BoxDrawn = false;
}

void TForm2::MoveCrosshair(float X, float Y) {
    SetMarkPen(digitize::PenMode::Xor);
    EraseMarks();
    CurX = X;
    CurY = Y;
    DrawCross(CurX, CurY);
    if (BoxShown)
        DrawSquare(CurX, CurY);
    SetMarkPen(digitize::PenMode::Copy);
    ui->Image1->setAccessibleDescription(
        QStringLiteral("Crosshair at picture pixel (%1, %2)").arg(Round(CurX)).arg(Round(CurY)));
    // A run follows the crosshair once, at its end: scrolling repaints the view.
    // A run shows where it went once, at its end: scrolling repaints the view,
    // and the readout costs a label's layout.
    if (!autoRunning_) {
        FollowCrosshair();
        Form1->ShowReadout(DisplayCoord(X, Y));
    }
    emit CrosshairMoved({Round(CurX), Round(CurY)});
}

digitize::DrawnMarks TForm2::Marks() const {
    return picture_.Marks(CrossDrawn, BoxDrawn);
}

void TForm2::Image1MouseDown(Qt::MouseButton, Qt::KeyboardModifiers, int x, int y) {
    // A click is in sight: the picture must not move under the mouse.
    const QScopedValueRollback<int> inSight(followMargin_, 0);
    MoveCrosshair(static_cast<float>(x), static_cast<float>(y));
}

// ------------------------------------------------- calibration and readout

bool TForm2::CheckDistinct(std::int32_t otherX, std::int32_t otherY) {
    if (Round(CurX) == otherX || Round(CurY) == otherY) {
        RefuseLock(sameAxisText_);
        return false;
    }
    return true;
}

void TForm2::RefuseLock(const QString &reason) {
    ui->Label1->setText(reason);
    ui->Panel1->setAccessibleDescription(reason + QLatin1Char(' ') + ui->Label4->text());
    ui->Panel1->move(100, 100);
    ui->Panel1->show();
}

// Locks Zero or Max at the crosshair, unless it would share an axis with
// the other point, or put the three points on one line.
void TForm2::LockReferencePoint(ReferencePoint which) {
    // Only a point the user has locked can make the conversion impossible.
    const digitize::Point other = LockedPixel(OtherPoint(which));
    if (IsLocked(OtherPoint(which)) && !CheckDistinct(other.X, other.Y))
        return;
    const digitize::Point at{Round(CurX), Round(CurY)};
    if (thirdPt_ && digitize::OnOneLine(PixelOf(at), PixelOf(other), PixelOf(*thirdPt_))) {
        RefuseLock(OnOneLineText);
        return;
    }
    undo_.push(new LockCommand(which, LockAt(which, at))); // the stack owns it
    FollowCrosshair();
    Form1->ShowReadout(DisplayCoord(CurX, CurY));
}

void TForm2::LockZero() {
    LockReferencePoint(ReferencePoint::Zero);
}

void TForm2::LockMax() {
    LockReferencePoint(ReferencePoint::Max);
}

void TForm2::LockThird() {
    const digitize::Point at{Round(CurX), Round(CurY)};
    if (digitize::OnOneLine(PixelOf(ZeroPt), PixelOf(MaxPt), PixelOf(at))) {
        RefuseLock(OnOneLineText);
        return;
    }
    undo_.push(new ThirdLockCommand(ThirdLockAt(at))); // the stack owns it
    FollowCrosshair();
}

void TForm2::UnlockThird() {
    if (thirdPt_)
        undo_.push(new ThirdLockCommand(ThirdUnlocked())); // the stack owns it
}

float TForm2::CalcXValue(float X) {
    return digitize::CalcXValue(X, ZeroPt, MaxPt, Form1->XAxis());
}

float TForm2::CalcYValue(float Y) {
    return digitize::CalcYValue(Y, ZeroPt, MaxPt, Form1->YAxis());
}

float TForm2::CalcSquare(float X, float Y) {
    return CalcYValue(BoxAverageRow(Picture(), X, Y));
}

float TForm2::CalcSubPixel(float X, float Y) {
    Canvas();
    return CalcYValue(SubPixelCentreRow(picture_, Marks(), X, Y));
}

float TForm2::EstimatedRow(float X, float Y) {
    if (SubPixelOn) {
        Canvas();
        return SubPixelCentreRow(picture_, Marks(), X, Y);
    }
    return CalcYOn ? BoxAverageRow(Picture(), X, Y) : Y;
}

QString TForm2::DisplayCoord(float X, float Y) {
    const digitize::Calibration calibration = CurrentCalibration();
    return CoordinateText(calibration, calibration.Reading({X, EstimatedRow(X, Y)}));
}

void TForm2::RecordPoint() {
    RecordAt(CurX, EstimatedRow(CurX, CurY));
}

void TForm2::RecordAt(float X, float row) {
    const digitize::Calibration calibration = CurrentCalibration();
    digitize::RecordedPoint point{
        X, row, CoordinateText(calibration, calibration.Reading({X, row})).toStdString()};
    if (autoRunning_)
        run_.push_back(std::move(point));
    else
        undo_.push(new RecordPointsCommand(points_, {std::move(point)}, // the stack owns it
                                           QStringLiteral("Record point")));
}

void TForm2::Image1MouseMove(Qt::KeyboardModifiers, int x, int y) {
    Form1->ShowReadout(DisplayCoord(static_cast<float>(x), static_cast<float>(y)));
    emit MouseOverPicture({x, y});
}

// ------------------------------------------------------- advanced cursor

void TForm2::StepCursor(int delta) {
    StepIndex += delta;
    // Along the chart's X axis as drawn: with a third point, a slanted line.
    const auto to = digitize::StepAlongX(LockedFrame(), StepIndex, StepPixels, {CurX, CurY});
    MoveCrosshair(to.X, to.Y);
    if (FindYOn)
        FindSquare(CurX, CurY);
}

void TForm2::FindSquare(float X, float Y) {
    // Search the clean picture: take out whatever marks are in it.
    SetMarkPen(digitize::PenMode::Xor);
    EraseMarks();
    SetMarkPen(digitize::PenMode::Copy);
    const std::int32_t rx = Round(X);
    // The area is the picture zoomed: the picture's own height is the limit.
    const auto row = digitize::FindCurveRow(Picture(), rx, Round(Y), Picture().Height(),
                                            {BoxHalfW, BoxHalfH}, LineColor, ColorTolerance);
    // A sub-pixel Y is read at the step's exact X, which the search then keeps.
    MoveCrosshair(SubPixelOn ? X : static_cast<float>(rx), static_cast<float>(row));
}

digitize::TrackStep TForm2::SettleOnLine(digitize::CurveTracker &tracker, float X) {
    // Search the clean picture: take out whatever marks are in it.
    SetMarkPen(digitize::PenMode::Xor);
    EraseMarks();
    SetMarkPen(digitize::PenMode::Copy);
    const digitize::TrackStep step = tracker.Step(Picture(), X);
    // A sub-pixel Y is read at the step's exact X, which the crosshair keeps.
    MoveCrosshair(SubPixelOn ? X : static_cast<float>(Round(X)), static_cast<float>(step.Row));
    return step;
}

void TForm2::RunAuto() {
    {
        const QScopedValueRollback<bool> running(autoRunning_, true);
        // The run is one step to take back; what it recorded stays even when
        // a field's value stops it.
        const auto record = qScopeGuard([this] {
            if (!run_.empty())
                undo_.push(new RecordPointsCommand(points_,
                                                   std::exchange(run_, {}), // the stack owns it
                                                   QStringLiteral("Auto Run")));
        });
        AutoRunDriver(*this).Run();
    }
    FollowCrosshair();
    Form1->ShowReadout(DisplayCoord(CurX, CurY));
}

// ------------------------------------------------------------ event edges

TPictureView &TForm2::View() const {
    return *ui->ScrollBox1;
}

void TForm2::DeleteSelectedPoint() {
    if (const auto selected = ui->ScrollBox1->SelectedPoint())
        undo_.push(new DeletePointCommand(points_, *selected)); // the stack owns it
}

void TForm2::NewSeries() {
    undo_.push(new NewSeriesCommand(points_)); // the stack owns it
    Form1->NameSeries(this);
}

void TForm2::ShowStatus(const QString &text) {
    ui->Label2->setText(text);
}

std::optional<digitize::Colour> TForm2::LineColour() const {
    return LineColorSet ? std::optional(LineColor) : std::nullopt;
}

int TForm2::Tolerance() const {
    return ColorTolerance;
}

std::vector<digitize::PointMark> TForm2::PointMarksWithin(const digitize::Rect &pixels,
                                                          int margin) const {
    return ui->ScrollBox1->MarksWithin(pixels, margin);
}

void TForm2::Button1Click() {
    ui->Panel1->hide();
    setFocus(Qt::OtherFocusReason);
}

void TForm2::changeEvent(QEvent *event) {
    // An activated window takes the keys at once, not only after a click.
    // Qt settles the focus after this event (clearing one left in another
    // window): take it once that is done.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        QTimer::singleShot(0, this, [this] {
            if (isActiveWindow() && QApplication::focusWidget() == nullptr)
                setFocus(Qt::ActiveWindowFocusReason);
        });
    QWidget::changeEvent(event);
}

void TForm2::resizeEvent(QResizeEvent *event) {
    // The status line keeps its height on the bottom edge; the view takes the rest.
    const int status = ui->StatusBar1->sizeHint().height();
    ui->ScrollBox1->setGeometry(0, 0, width(), height() - status);
    ui->StatusBar1->setGeometry(0, height() - status, width(), status);
    QWidget::resizeEvent(event);
}

void TForm2::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    if (!event->spontaneous())
        Guard([this] { jpeg_.emplace(); });
}
