#include "Unit3.h"
#include "ui_Unit3.h"

#include "ErrorBox.h"
#include "Unit2.h"
#include "WindowLook.h"

#include <algorithm>

TForm3 *Form3 = nullptr;

namespace {

constexpr int HelpHeight = 458;
// The Y labels start here, or further right where long X labels need it.
constexpr int YLabelsLeft = 168;
constexpr int LabelGap = 12;

} // namespace

TForm3::TForm3(QWidget *parent) : QWidget(parent), ui(std::make_unique<Ui::TForm3>()) {
    Form3 = this;
    ui->setupUi(this);
    look::UseWindowFont(this);
    for (QLabel *label : {ui->Label1, ui->Label2, ui->Label3, ui->Label4, ui->Label5}) {
        look::UseFont(label, look::LargePixels, true);
        label->adjustSize();
    }
    zeroX_ = ui->Label1->text();
    maxX_ = ui->Label2->text();
    zeroY_ = ui->Label3->text();
    maxY_ = ui->Label4->text();
    startZero_ = ZeroLabels();
    startMax_ = MaxLabels();
    ui->Label5->hide();
    move(155, 122);
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
    ui->Label5->adjustSize();
    ui->Label5->setVisible(!text.isEmpty());
    ArrangeLabels();
}

void TForm3::ArrangeLabels() {
    const int xRight = std::max(ui->Label1->geometry().right(), ui->Label2->geometry().right());
    const int yLeft = std::max(YLabelsLeft, xRight + LabelGap);
    ui->Label3->move(yLeft, ui->Label3->y());
    ui->Label4->move(yLeft, ui->Label4->y());
    // The window widens rather than cut a label.
    const int needed =
        std::max({ui->Label3->geometry().right(), ui->Label4->geometry().right(),
                  ui->Label5->isVisibleTo(this) ? ui->Label5->geometry().right() : 0}) +
        LabelGap;
    if (needed > width())
        resize(needed, height());
}

QString TForm3::ThirdLabel() const {
    return ui->Label5->text();
}

void TForm3::ShowLabels() {
    const auto show = [](QLabel *label, const QString &text, bool log) {
        label->setText(log ? text + QStringLiteral(" (log)") : text);
        label->adjustSize();
    };
    show(ui->Label1, zeroX_, logX_);
    show(ui->Label2, maxX_, logX_);
    show(ui->Label3, zeroY_, logY_);
    show(ui->Label4, maxY_, logY_);
    ArrangeLabels();
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

void TForm3::resizeEvent(QResizeEvent *event) {
    ui->Memo1->setGeometry(0, height() - HelpHeight, width(), HelpHeight);
    QWidget::resizeEvent(event);
}
