#include "Unit3.h"
#include "ui_Unit3.h"

#include "ErrorBox.h"
#include "Unit2.h"
#include "WindowLook.h"

#include <QLayout>

TForm3 *Form3 = nullptr;

TForm3::TForm3(QWidget *parent) : QWidget(parent), ui(std::make_unique<Ui::TForm3>()) {
    Form3 = this;
    ui->setupUi(this);
    look::UseWindowFont(this);
    // The labels sit in a grid: long X labels push the Y labels right, and
    // the window widens rather than cut one.
    for (QLabel *label : {ui->Label1, ui->Label2, ui->Label3, ui->Label4, ui->Label5})
        look::UseFont(label, look::LargePixels, true);
    zeroX_ = ui->Label1->text();
    maxX_ = ui->Label2->text();
    zeroY_ = ui->Label3->text();
    maxY_ = ui->Label4->text();
    startZero_ = ZeroLabels();
    startMax_ = MaxLabels();
    ui->Label5->hide();
    connect(ui->Button1, &QPushButton::clicked, this,
            [this] { Guard([this] { Button1Click(); }); });
}

TForm3::~TForm3() {
    if (Form3 == this)
        Form3 = nullptr;
}

void TForm3::SetZeroLabels(const QString &x, const QString &y) {
    zeroX_ = x;
    zeroY_ = y;
    ShowLabels();
}

void TForm3::SetMaxLabels(const QString &x, const QString &y) {
    maxX_ = x;
    maxY_ = y;
    ShowLabels();
}

void TForm3::SetLogAxes(bool logX, bool logY) {
    logX_ = logX;
    logY_ = logY;
    ShowLabels();
}

void TForm3::SetThirdLabel(const QString &text) {
    ui->Label5->setText(text);
    ui->Label5->setVisible(!text.isEmpty());
    layout()->activate();
}

QString TForm3::ThirdLabel() const {
    return ui->Label5->text();
}

void TForm3::ShowLabels() {
    const auto show = [](QLabel *label, const QString &text, bool log) {
        label->setText(log ? text + QStringLiteral(" (log)") : text);
    };
    show(ui->Label1, zeroX_, logX_);
    show(ui->Label2, maxX_, logX_);
    show(ui->Label3, zeroY_, logY_);
    show(ui->Label4, maxY_, logY_);
    // Placed now, shown or not: a hidden window's layout waits for its show.
    layout()->activate();
}

std::pair<QString, QString> TForm3::ZeroLabels() const {
    return {zeroX_, zeroY_};
}

std::pair<QString, QString> TForm3::MaxLabels() const {
    return {maxX_, maxY_};
}

void TForm3::Button1Click() {
    Form2->show();
    Form2->raise();
    Form2->activateWindow();
}

void TForm3::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    ui->Memo1->setFocus(Qt::OtherFocusReason);
}
