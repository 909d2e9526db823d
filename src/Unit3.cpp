#include "Unit3.h"
#include "ui_Unit3.h"

#include "ErrorBox.h"
#include "Unit2.h"
#include "WindowLook.h"

TForm3 *Form3 = nullptr;

namespace {

constexpr int HelpHeight = 458;

} // namespace

TForm3::TForm3(QWidget *parent) : QWidget(parent), ui(std::make_unique<Ui::TForm3>()) {
    Form3 = this;
    ui->setupUi(this);
    startZero_ = ZeroLabels();
    startMax_ = MaxLabels();
    look::UseWindowFont(this);
    for (QLabel *label : {ui->Label1, ui->Label2, ui->Label3, ui->Label4}) {
        look::UseFont(label, look::LargePixels, true);
        label->adjustSize();
    }
    move(155, 122);
    connect(ui->Button1, &QPushButton::clicked, this,
            [this] { Guard([this] { Button1Click(); }); });
}

TForm3::~TForm3() {
    if (Form3 == this)
        Form3 = nullptr;
}

void TForm3::SetZeroLabels(const QString &x, const QString &y) {
    ui->Label1->setText(x);
    ui->Label1->adjustSize();
    ui->Label3->setText(y);
    ui->Label3->adjustSize();
}

void TForm3::SetMaxLabels(const QString &x, const QString &y) {
    ui->Label2->setText(x);
    ui->Label2->adjustSize();
    ui->Label4->setText(y);
    ui->Label4->adjustSize();
}

std::pair<QString, QString> TForm3::ZeroLabels() const {
    return {ui->Label1->text(), ui->Label3->text()};
}

std::pair<QString, QString> TForm3::MaxLabels() const {
    return {ui->Label2->text(), ui->Label4->text()};
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

void TForm3::resizeEvent(QResizeEvent *event) {
    ui->Memo1->setGeometry(0, height() - HelpHeight, width(), HelpHeight);
    QWidget::resizeEvent(event);
}
