// The image window's keys: arrows move the crosshair, Ctrl+arrows step and
// find the line, letters lock, record, and show.
#include "Unit2.h"
#include "ui_Unit2.h"

#include "ErrorBox.h"
#include "PictureView.h"
#include "digitize/calibration/Rounding.h"

#include <QApplication>
#include <QKeyEvent>

using digitize::Round;

namespace {

// Shift+arrow moves the crosshair this many pixels, a plain arrow one.
constexpr float ShiftStep = 10.0F;

} // namespace

void TForm2::FormKeyDown(int key, Qt::KeyboardModifiers shift) {
    if (!shift.testFlag(Qt::ControlModifier)) {
        const float step = shift.testFlag(Qt::ShiftModifier) ? ShiftStep : 1.0F;
        switch (key) {
        case Qt::Key_Home:
            StepIndex = 0;
            StepCursor(0);
            break;
        case Qt::Key_Left:
            MoveCrosshair(CurX - step, CurY);
            break;
        case Qt::Key_Right:
            MoveCrosshair(CurX + step, CurY);
            break;
        case Qt::Key_Up:
            MoveCrosshair(CurX, CurY - step);
            break;
        case Qt::Key_Down:
            MoveCrosshair(CurX, CurY + step);
            break;
        case Qt::Key_C:
            if (shift & (Qt::AltModifier | Qt::MetaModifier))
                break;
            if (shift.testFlag(Qt::ShiftModifier))
                UnlockThird();
            else
                LockThird();
            break;
        case Qt::Key_Delete:
            DeleteSelectedPoint();
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
        // Ctrl+plus, Ctrl+minus and Ctrl+0 zoom around the crosshair.
        ui->ScrollBox1->ZoomKey(key, {Round(CurX), Round(CurY)});
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
        emit LoupeAsked();
    else if (ch == QLatin1Char('N') || ch == QLatin1Char('n'))
        NewSeries();
    else if (ch == QLatin1Char('M') || ch == QLatin1Char('m'))
        ui->ScrollBox1->SetMarksShown(!ui->ScrollBox1->MarksShown());
}

void TForm2::keyPressEvent(QKeyEvent *event) {
    // Keys belong to the window itself, not to the error panel's button; an
    // active window with no focus at all gets them too.
    if (const QWidget *focus = QApplication::focusWidget(); focus != nullptr && focus != this) {
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
