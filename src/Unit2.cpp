#include "Unit2.h"
#include "ui_Unit2.h"

#include "BitmapFile.h"
#include "BusyCursor.h"
#include "ErrorBox.h"
#include "LoupeWindow.h"
#include "PictureFile.h"
#include "Unit1.h"
#include "Unit3.h"
#include "WindowLook.h"
#include "digitize/calibration/Decimals.h"
#include "digitize/calibration/Rounding.h"
#include "digitize/calibration/StepRate.h"
#include "digitize/picture/PicturePath.h"
#include "digitize/search/BoxAverage.h"
#include "digitize/search/Colour.h"
#include "digitize/search/ColumnSearch.h"
#include "digitize/search/SubPixel.h"
#include "digitize/view/Marks.h"
#include "digitize/view/ScrollFollow.h"

#include <QApplication>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMimeData>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QWheelEvent>

using digitize::Round;

TForm2 *Form2 = nullptr;

float CurX;
float CurY;
digitize::Point ZeroPt;
digitize::Point MaxPt;
bool CrossDrawn;
bool BoxDrawn;
bool XStepOn;
bool BoxShown;
std::int32_t StepIndex;
float StepPixels;
std::int32_t BoxHalfW;
std::int32_t BoxHalfH;
bool CalcYOn;
bool FindYOn;
digitize::Colour LineColor;
int ColorTolerance;
bool LineColorSet;
bool SubPixelOn;

namespace {

// Where the marks now in the picture were drawn, so that erasing them
// inverts exactly the pixels that drawing inverted.
digitize::Point CrossDrawnAt;
digitize::Outline BoxDrawnAt;

// Takes the marks out of the picture for as long as it lives, so that an
// estimate reads the picture as it is; it puts them back before anything is
// painted, so no pixel, mark flag or repaint changes.
class MarksLifted {
  public:
    // Only the marks' pixels inside area are taken out: a read of a box costs
    // the box, not the cross's thousand-pixel arms.
    MarksLifted(digitize::Surface &picture, const digitize::Outline &area)
        : picture_(picture), area_(area), pen_(picture.Pen()) {
        picture_.SetPen({digitize::MarkColour, 1, digitize::PenMode::Xor});
        Invert();
    }
    ~MarksLifted() {
        Invert();
        picture_.SetPen(pen_);
    }
    MarksLifted(const MarksLifted &) = delete;
    MarksLifted &operator=(const MarksLifted &) = delete;

  private:
    void Invert() {
        if (CrossDrawn)
            digitize::DrawWithin(picture_, digitize::CrossLines(CrossDrawnAt), area_);
        if (BoxDrawn)
            digitize::DrawWithin(picture_, digitize::OutlineLines(BoxDrawnAt), area_);
    }
    digitize::Surface &picture_;
    digitize::Outline area_;
    digitize::Pen pen_;
};

// A sub-pixel Y shows a change of a tenth of a pixel.
constexpr double SubPixelFraction = 0.1;

// The shared state holds its start values before any window exists.
struct StartValues {
    StartValues() { ResetSharedState(); }
} startValues;

} // namespace

void ResetSharedState() {
    CurX = -10.0F;
    CurY = -10.0F;
    ZeroPt = {0, 0};
    MaxPt = {100, 100};
    CrossDrawn = false;
    BoxDrawn = false;
    XStepOn = false;
    BoxShown = false;
    StepIndex = 0;
    StepPixels = 10.0F;
    BoxHalfW = 15;
    BoxHalfH = 15;
    CalcYOn = false;
    FindYOn = false;
    LineColor = 0;
    ColorTolerance = digitize::DefaultTolerance;
    LineColorSet = false;
    SubPixelOn = false;
}

TForm2::TForm2(QWidget *parent) : QWidget(parent), ui(std::make_unique<Ui::TForm2>()) {
    Form2 = this;
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
    // The keys belong to the window: the view must not take the arrows.
    for (QWidget *w :
         {static_cast<QWidget *>(ui->ScrollBox1->horizontalScrollBar()),
          static_cast<QWidget *>(ui->ScrollBox1->verticalScrollBar()), ui->ScrollBox1->viewport()})
        w->setFocusPolicy(Qt::NoFocus);
    ui->ScrollBox1->viewport()->installEventFilter(this);
    ui->Panel1->raise();
    move(282, 6);

    connect(ui->Image1, &TPictureArea::MouseDown, this,
            [this](Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) {
                Guard([&] { Image1MouseDown(button, shift, x, y); });
            });
    connect(ui->Image1, &TPictureArea::MouseMove, this,
            [this](Qt::KeyboardModifiers shift, int x, int y) {
                Guard([&] { Image1MouseMove(shift, x, y); });
            });
    connect(ui->Image1, &TPictureArea::MouseLeave, this, [] {
        if (Loupe != nullptr)
            Loupe->MouseLeft();
    });
    connect(ui->Button1, &QPushButton::clicked, this,
            [this] { Guard([this] { Button1Click(); }); });
}

TForm2::~TForm2() {
    if (Form2 == this)
        Form2 = nullptr;
}

// ---------------------------------------------------------------- pictures

digitize::Surface &TForm2::Canvas() {
    if (!pictureMade_)
        ReplacePicture(digitize::Surface::Blank(ui->Image1->width(), ui->Image1->height()));
    return picture_;
}

const digitize::Surface &TForm2::Picture() {
    return Canvas();
}

void TForm2::ReplacePicture(digitize::Surface picture) {
    picture_ = std::move(picture);
    pictureMade_ = true;
    const int w = picture_.Width();
    const int h = picture_.Height();
    ui->Image1->SetView(w > 0 && h > 0 ? QImage(reinterpret_cast<uchar *>(picture_.Bits()), w, h,
                                                w * 4, QImage::Format_RGB32)
                                       : QImage());
    ui->Image1->resize(w, h);
    // A new picture is shown from its top-left corner.
    ui->ScrollBox1->horizontalScrollBar()->setValue(0);
    ui->ScrollBox1->verticalScrollBar()->setValue(0);
    Loupe->Refresh();
}

void TForm2::FollowCrosshair() {
    QScrollBar *across = ui->ScrollBox1->horizontalScrollBar();
    QScrollBar *down = ui->ScrollBox1->verticalScrollBar();
    const QSize view = ui->ScrollBox1->viewport()->size();
    across->setValue(digitize::FollowOffset(across->value(), view.width(), ui->Image1->width(),
                                            Round(CurX), digitize::FollowMargin));
    down->setValue(digitize::FollowOffset(down->value(), view.height(), ui->Image1->height(),
                                          Round(CurY), digitize::FollowMargin));
}

void TForm2::LoadImage(const QString &path) {
    // A path that names nothing loads nothing and changes nothing.
    if (!QFileInfo::exists(path))
        return;

    BusyCursor busy;
    if (!jpeg_)
        jpeg_.emplace();
    ReplacePicture(ReadPictureFile(path, *jpeg_));
    setWindowTitle(path);
    CrossDrawn = false;
    BoxDrawn = false;
}

void TForm2::wmDropFiles(const QList<QUrl> &files) {
    for (const QUrl &url : files) {
        if (url.isLocalFile()) {
            LoadImage(url.toLocalFile());
            return;
        }
    }
}

void TForm2::PasteImage() {
    const QMimeData *mime = QGuiApplication::clipboard()->mimeData();
    if (mime == nullptr)
        return;
    if (mime->hasFormat(QStringLiteral("text/plain"))) {
        LoadImage(
            QString::fromStdString(digitize::PathFromClipboardText(mime->text().toStdString())));
    } else if (mime->hasUrls()) {
        wmDropFiles(mime->urls());
    } else if (mime->hasImage()) {
        const auto image = qvariant_cast<QImage>(mime->imageData());
        if (image.isNull())
            return;
        ReplacePicture(SurfaceFromImage(image));
        setWindowTitle(QStringLiteral("Image.bmp"));
        CrossDrawn = false;
        BoxDrawn = false;
    }
}

// ------------------------------------------------------- crosshair and box

void TForm2::SetMarkPen(digitize::PenMode mode) {
    Canvas().SetPen({digitize::MarkColour, 1, mode});
}

template <std::size_t N> void TForm2::Repaint(const std::array<digitize::Rect, N> &changed) {
    for (const digitize::Rect &r : changed)
        if (!r.Empty())
            ui->Image1->Damage(QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top));
}

void TForm2::DrawCross(float X, float Y) {
    CrossDrawnAt = {Round(X), Round(Y)};
    Repaint(digitize::DrawCross(Canvas(), CrossDrawnAt));
    CrossDrawn = true;
}

void TForm2::DrawSquare(float X, float Y) {
    BoxDrawnAt = digitize::BoxAround({Round(X), Round(Y)}, BoxHalfW, BoxHalfH);
    Repaint(digitize::DrawOutline(Canvas(), BoxDrawnAt));
    BoxDrawn = true;
}

void TForm2::EraseMarks() {
    if (CrossDrawn)
        Repaint(digitize::DrawCross(Canvas(), CrossDrawnAt));
    if (BoxDrawn)
        Repaint(digitize::DrawOutline(Canvas(), BoxDrawnAt));
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
    if (!autoRunning_)
        FollowCrosshair();
    Form1->ShowReadout(DisplayCoord(X, Y));
    Loupe->FollowCrosshair({Round(CurX), Round(CurY)});
}

digitize::DrawnMarks TForm2::Marks() const {
    return {CrossDrawn ? std::optional(CrossDrawnAt) : std::nullopt,
            BoxDrawn ? std::optional(BoxDrawnAt) : std::nullopt};
}

void TForm2::Image1MouseDown(Qt::MouseButton, Qt::KeyboardModifiers, int x, int y) {
    MoveCrosshair(static_cast<float>(x), static_cast<float>(y));
}

// ------------------------------------------------- calibration and readout

bool TForm2::CheckDistinct(std::int32_t otherX, std::int32_t otherY) {
    if (Round(CurX) == otherX || Round(CurY) == otherY) {
        ui->Panel1->move(100, 100);
        ui->Panel1->show();
        return false;
    }
    return true;
}

// Locks Zero or Max at the crosshair, unless it would share an axis with
// the other point, and shows the lock in the fields and the help window.
void TForm2::LockReferencePoint(bool zero) {
    digitize::Point &point = zero ? ZeroPt : MaxPt;
    const digitize::Point other = zero ? MaxPt : ZeroPt;
    if (!CheckDistinct(other.X, other.Y))
        return;
    point = {Round(CurX), Round(CurY)};
    FollowCrosshair();
    const AxisField x = zero ? AxisField::XZero : AxisField::XMax;
    const AxisField y = zero ? AxisField::YZero : AxisField::YMax;
    Form1->SetFieldColour(x, FieldLocked);
    Form1->SetFieldColour(y, FieldLocked);
    // "Max" takes two blanks so that the "=" lines up with the Zero labels.
    const QString name = zero ? QStringLiteral("Zero") : QStringLiteral("Max ");
    // Concatenated, not formatted: the field text may hold anything, "%1" too.
    const QString xLabel = QStringLiteral("X ") + name + QStringLiteral(" = ") +
                           Form1->FieldText(x) + QStringLiteral(" : ") + QString::number(point.X);
    const QString yLabel = QStringLiteral("Y ") + name + QStringLiteral(" = ") +
                           Form1->FieldText(y) + QStringLiteral(" : ") + QString::number(point.Y);
    if (zero)
        Form3->SetZeroLabels(xLabel, yLabel);
    else
        Form3->SetMaxLabels(xLabel, yLabel);
}

void TForm2::LockZero() {
    LockReferencePoint(true);
}

void TForm2::LockMax() {
    LockReferencePoint(false);
}

float TForm2::CalcXValue(float X) {
    return digitize::CalcXValue(X, ZeroPt, MaxPt, Form1->XAxis());
}

float TForm2::CalcYValue(float Y) {
    return digitize::CalcYValue(Y, ZeroPt, MaxPt, Form1->YAxis());
}

float TForm2::CalcSquare(float X, float Y) {
    const auto average = digitize::BoxAverageRow(Picture(), Round(X), Round(Y),
                                                 {BoxHalfW, BoxHalfH}, LineColor, ColorTolerance);
    return CalcYValue(average.value_or(Y));
}

float TForm2::CalcSubPixel(float X, float Y) {
    std::optional<double> row;
    {
        // The box the estimate reads, around the column the exact X rounds to.
        const MarksLifted lifted(Canvas(),
                                 digitize::BoxAround({Round(X), Round(Y)}, BoxHalfW, BoxHalfH));
        row = digitize::SubPixelRow(Picture(), X, Round(Y), {BoxHalfW, BoxHalfH}, LineColor,
                                    ColorTolerance);
    }
    return CalcYValue(row ? static_cast<float>(*row) : Y);
}

QString TForm2::DisplayCoord(float X, float Y) {
    const float xv = CalcXValue(X);
    const float yv = SubPixelOn ? CalcSubPixel(X, Y) : CalcYOn ? CalcSquare(X, Y) : CalcYValue(Y);
    const digitize::Decimals decimals =
        digitize::CoordDecimals(ZeroPt, MaxPt, Form1->XAxis(), Form1->YAxis(), Form1->IntegerX(),
                                SubPixelOn ? SubPixelFraction : 1.0);
    return QString::fromStdString(digitize::CoordText(xv, yv, decimals.X, decimals.Y));
}

void TForm2::RecordPoint() {
    Form1->AppendLog(DisplayCoord(CurX, CurY));
}

void TForm2::Image1MouseMove(Qt::KeyboardModifiers, int x, int y) {
    Form1->ShowReadout(DisplayCoord(static_cast<float>(x), static_cast<float>(y)));
    Loupe->FollowMouse({x, y});
}

// ------------------------------------------------------- advanced cursor

void TForm2::StepCursor(int delta) {
    StepIndex += delta;
    MoveCrosshair(digitize::StepX(ZeroPt.X, StepIndex, StepPixels), CurY);
    if (FindYOn)
        FindSquare(CurX, CurY);
}

void TForm2::FindSquare(float X, float Y) {
    // Search the clean picture: take out whatever marks are in it.
    SetMarkPen(digitize::PenMode::Xor);
    EraseMarks();
    SetMarkPen(digitize::PenMode::Copy);
    const std::int32_t rx = Round(X);
    const auto row = digitize::FindCurveRow(Picture(), rx, Round(Y), ui->Image1->height(),
                                            {BoxHalfW, BoxHalfH}, LineColor, ColorTolerance);
    // A sub-pixel Y is read at the step's exact X, which the search then keeps.
    MoveCrosshair(SubPixelOn ? X : static_cast<float>(rx), static_cast<float>(row));
}

void TForm2::RunAuto() {
    BusyCursor busy;
    const QScopedValueRollback<bool> running(autoRunning_, true);
    do {
        RecordPoint();
        StepCursor(+1);
        FindSquare(CurX, CurY);
    } while (digitize::BeforeOrAtMax(CurX, MaxPt.X, StepPixels));
    FollowCrosshair();
}

// ------------------------------------------------------------ event edges

void TForm2::FormKeyDown(int key, Qt::KeyboardModifiers shift) {
    if (!shift.testFlag(Qt::ControlModifier)) {
        switch (key) {
        case Qt::Key_Home:
            StepIndex = 0;
            StepCursor(0);
            break;
        case Qt::Key_Left:
            MoveCrosshair(CurX - 1.0F, CurY);
            break;
        case Qt::Key_Right:
            MoveCrosshair(CurX + 1.0F, CurY);
            break;
        case Qt::Key_Up:
            MoveCrosshair(CurX, CurY - 1.0F);
            break;
        case Qt::Key_Down:
            MoveCrosshair(CurX, CurY + 1.0F);
            break;
        default:
            break;
        }
        return;
    }
    switch (key) {
    case Qt::Key_Left:
        if (XStepOn)
            StepCursor(-1);
        break;
    case Qt::Key_Right:
        if (XStepOn)
            StepCursor(+1);
        break;
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (FindYOn)
            FindSquare(CurX, CurY);
        break;
    case Qt::Key_V:
        PasteImage();
        break;
    default:
        break;
    }
}

void TForm2::FormKeyPress(QChar ch) {
    if (ch == QLatin1Char('Z') || ch == QLatin1Char('z'))
        LockZero();
    else if (ch == QLatin1Char('A') || ch == QLatin1Char('a'))
        LockMax();
    else if (ch == QLatin1Char(' '))
        RecordPoint();
    else if (ch == QLatin1Char('L') || ch == QLatin1Char('l'))
        Loupe->ShowAndRaise();
}

void TForm2::Button1Click() {
    ui->Panel1->hide();
    setFocus(Qt::OtherFocusReason);
}

bool TForm2::eventFilter(QObject *watched, QEvent *event) {
    // Shift+wheel scrolls across, as in most picture viewers.
    if (watched == ui->ScrollBox1->viewport() && event->type() == QEvent::Wheel) {
        auto *wheel = static_cast<QWheelEvent *>(event);
        if (wheel->modifiers().testFlag(Qt::ShiftModifier) && wheel->angleDelta().x() == 0) {
            QWheelEvent across(wheel->position(), wheel->globalPosition(),
                               wheel->pixelDelta().transposed(), wheel->angleDelta().transposed(),
                               wheel->buttons(), wheel->modifiers() & ~Qt::ShiftModifier,
                               wheel->phase(), wheel->inverted(), wheel->source());
            QApplication::sendEvent(ui->ScrollBox1->horizontalScrollBar(), &across);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TForm2::changeEvent(QEvent *event) {
    // An activated window takes the keys at once, not only after a click.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() &&
        QApplication::focusWidget() == nullptr)
        setFocus(Qt::ActiveWindowFocusReason);
    QWidget::changeEvent(event);
}

void TForm2::resizeEvent(QResizeEvent *event) {
    ui->ScrollBox1->setGeometry(rect());
    QWidget::resizeEvent(event);
}

void TForm2::keyPressEvent(QKeyEvent *event) {
    // Keys belong to the window itself, not to the error panel's button.
    if (QApplication::focusWidget() != this) {
        QWidget::keyPressEvent(event);
        return;
    }
    const auto shift = event->modifiers();
    Guard([&] { FormKeyDown(event->key(), shift); });
    // A typed character: Ctrl and Alt combinations type nothing.
    const QString text = event->text();
    if (text.size() == 1 && !(shift & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        Guard([&] { FormKeyPress(text.front()); });
    event->accept();
}

void TForm2::dragEnterEvent(QDragEnterEvent *event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TForm2::dropEvent(QDropEvent *event) {
    const QList<QUrl> files = event->mimeData()->urls();
    event->acceptProposedAction();
    Guard([&] { wmDropFiles(files); });
}

void TForm2::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    if (!event->spontaneous())
        Guard([this] { jpeg_.emplace(); });
}
