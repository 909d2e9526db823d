#include "Unit4.h"
#include "ui_Unit4.h"

#include "ErrorBox.h"
#include "Unit1.h"
#include "Unit2.h"
#include "WindowLook.h"
#include "digitize/Errors.h"
#include "digitize/calibration/AxisStep.h"
#include "digitize/calibration/AxisText.h"
#include "digitize/calibration/FieldValue.h"
#include "digitize/calibration/Rounding.h"
#include "digitize/calibration/StepRate.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>

TForm4 *Form4 = nullptr;

namespace {

// What a position of the steps field takes: a digit, a sign or a blank ("_").
bool StepCharacter(QChar c) {
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('+') ||
           c == QLatin1Char('-') || c == QLatin1Char('_');
}

} // namespace

TForm4::TForm4(QWidget *parent) : QWidget(parent), ui(std::make_unique<Ui::TForm4>()) {
    Form4 = this;
    ui->setupUi(this);
    look::UseWindowFont(this);
    for (QWidget *w :
         std::initializer_list<QWidget *>{ui->CheckBox1, ui->Label2, ui->Button1, ui->CheckBox3,
                                          ui->CheckBox4, ui->Button2, ui->CheckBox5, ui->Edit1})
        look::UseFont(w, look::NormalPixels, true);
    look::UseFont(ui->Label1, look::LargePixels, true);
    look::UseFont(ui->MaskEdit1, look::LargePixels, true);
    look::SetTextColour(ui->Label1, 0xFF0000); // blue
    ui->Label2->adjustSize();
    startLabel_ = ui->Label2->text();
    ui->Panel1->setFocusPolicy(Qt::NoFocus);
    ui->MaskEdit1->installEventFilter(this);
    ui->Edit1->installEventFilter(this);
    keptTolerance_ = ColorTolerance;
    ui->Edit1->setText(QString::number(ColorTolerance));

    connect(ui->CheckBox1, &QCheckBox::toggled, this,
            [this] { Guard([this] { CheckBox1Click(); }); });
    connect(ui->CheckBox3, &QCheckBox::toggled, this,
            [this] { Guard([this] { CheckBox3Click(); }); });
    connect(ui->CheckBox4, &QCheckBox::toggled, this,
            [this] { Guard([this] { CheckBox4Click(); }); });
    connect(ui->Button1, &QPushButton::clicked, this,
            [this] { Guard([this] { Button1Click(); }); });
    connect(ui->Button2, &QPushButton::clicked, this,
            [this] { Guard([this] { Button2Click(); }); });
    connect(ui->MaskEdit1, &QLineEdit::textEdited, this,
            [this] { Guard([this] { MaskEdit1Change(); }); });
    connect(ui->CheckBox5, &QCheckBox::toggled, this,
            [this] { Guard([this] { CheckBox5Click(); }); });
    connect(ui->Edit1, &QLineEdit::textEdited, this, [this] { Guard([this] { Edit1Change(); }); });
    connect(ui->Edit1, &QLineEdit::returnPressed, this, [this] { Guard([this] { Edit1Exit(); }); });
}

TForm4::~TForm4() {
    if (Form4 == this)
        Form4 = nullptr;
}

void TForm4::CheckBox1Click() {
    if (ui->CheckBox1->isChecked()) {
        XStepOn = true;
        BoxShown = true;
        return;
    }
    XStepOn = false;
    BoxShown = false;
    CalcYOn = false;
    ui->CheckBox3->setChecked(false);
    FindYOn = false;
    ui->CheckBox4->setChecked(false);
    SubPixelOn = false;
    ui->CheckBox5->setChecked(false);
}

void TForm4::CheckBox3Click() {
    if (ui->CheckBox1->isChecked() && ui->CheckBox3->isChecked()) {
        CalcYOn = true;
        return;
    }
    CalcYOn = false;
    ui->CheckBox3->setChecked(false);
}

void TForm4::CheckBox4Click() {
    if (ui->CheckBox1->isChecked() && ui->CheckBox4->isChecked()) {
        FindYOn = true;
        ui->Button2->setEnabled(true);
        return;
    }
    FindYOn = false;
    ui->CheckBox4->setChecked(false);
    ui->Button2->setEnabled(false);
}

void TForm4::CheckBox5Click() {
    if (ui->CheckBox1->isChecked() && ui->CheckBox5->isChecked()) {
        SubPixelOn = true;
        return;
    }
    SubPixelOn = false;
    ui->CheckBox5->setChecked(false);
}

void TForm4::Button1Click() {
    LineColor = Form2->PixelAt(digitize::Round(CurX), digitize::Round(CurY));
    LineColorSet = true;
    emit LineChanged();
    // A read outside the picture (all bits set) is white.
    look::SetBackground(ui->Panel1, LineColor & 0xFFFFFFu);
    ui->Panel1->setAccessibleName(QStringLiteral("Line colour %1 %2 %3")
                                      .arg(LineColor & 0xFFu)
                                      .arg((LineColor >> 8) & 0xFFu)
                                      .arg((LineColor >> 16) & 0xFFu));
    ui->CheckBox3->setEnabled(true);
    ui->CheckBox4->setEnabled(true);
    ui->CheckBox5->setEnabled(true);
}

void TForm4::Button2Click() {
    Form2->RunAuto();
}

void TForm4::MaskEdit1Change() {
    ApplySteps();
}

digitize::StepSettings TForm4::StepsFor(float xSpan) const {
    const int n = digitize::DigitsValue(ui->MaskEdit1->displayText().toStdString());
    // With a third point the steps run from Zero to it, along the drawn X axis.
    const auto endX = digitize::Round(digitize::StepEndX(LockedFrame()));
    return digitize::ComputeSteps(n, xSpan, ZeroPt.X, endX);
}

void TForm4::ApplySteps() {
    // Log and date axes take their label from the axis; a linear one as before.
    const bool scaled = Form1->LogX() || Form1->XDates();
    auto steps = StepsFor(scaled ? 0.0F : Form1->XSpan());
    if (scaled)
        steps.Label = digitize::StepLabel(
            Form1->XScale(), digitize::DigitsValue(ui->MaskEdit1->displayText().toStdString()));
    StepPixels = steps.StepPixels;
    BoxHalfW = steps.BoxHalfW;
    ui->Label2->setText(QString::fromStdString(steps.Label));
    ui->Label2->adjustSize();
}

void TForm4::StepsFollowCalibration() {
    // A field that says no number is marked where it is; the steps then keep
    // their graph units until it does.
    try {
        ApplySteps();
    } catch (const digitize::Error &) {
        const auto steps = StepsFor(0);
        StepPixels = steps.StepPixels;
        BoxHalfW = steps.BoxHalfW;
    }
}

void TForm4::ResetSteps() {
    StepPixels = StartStepPixels;
    BoxHalfW = StartBoxHalfW;
    ui->Label2->setText(startLabel_);
    ui->Label2->adjustSize();
}

void TForm4::Edit1Change() {
    // A valid text takes effect as it is typed; a refused one waits for the exit.
    if (const auto tolerance =
            digitize::ToleranceOf(ui->Edit1->text().toStdString(), RegionalSeparators)) {
        ColorTolerance = *tolerance;
        emit LineChanged();
    }
}

void TForm4::Edit1Exit() {
    const std::string typed = ui->Edit1->text().toStdString();
    // A refused text gives way to the tolerance from before the edit.
    ColorTolerance = keptTolerance_;
    ui->Edit1->setText(QString::number(ColorTolerance));
    ColorTolerance = keptTolerance_ = digitize::ReadTolerance(typed, RegionalSeparators);
    ui->Edit1->setText(QString::number(ColorTolerance));
    emit LineChanged();
}

bool TForm4::eventFilter(QObject *watched, QEvent *event) {
    if (watched == ui->Edit1 && event->type() == QEvent::FocusOut) {
        // Leaving for another window or a popup is not leaving the field.
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            Guard([this] { Edit1Exit(); });
    }
    if (watched == ui->MaskEdit1 && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const QString text = key->text();
        const bool typed = text.size() == 1 && text.front().isPrint() &&
                           !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        if (typed && text.front() == QLatin1Char(' ')) {
            // The mask takes its blank character, not a space, for a blank.
            QKeyEvent blank(QEvent::KeyPress, Qt::Key_Underscore, Qt::NoModifier,
                            QStringLiteral("_"));
            QApplication::sendEvent(ui->MaskEdit1, &blank);
            return true;
        }
        if (typed && !StepCharacter(text.front())) {
            QApplication::beep();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
