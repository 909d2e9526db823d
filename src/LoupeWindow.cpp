#include "LoupeWindow.h"
#include "ui_LoupeWindow.h"

#include "ErrorBox.h"
#include "WindowLook.h"
#include "digitize/loupe/Loupe.h"

#include <QApplication>
#include <QShowEvent>

LoupeWindow *Loupe = nullptr;

LoupeWindow::LoupeWindow(PictureSource &source, QWidget *parent)
    : QWidget(parent), ui(std::make_unique<Ui::LoupeWindow>()), source_(source) {
    Loupe = this;
    ui->setupUi(this);
    ui->View->SetSource(&source);
    look::UseWindowFont(this);
    setAttribute(Qt::WA_ShowWithoutActivating);
}

LoupeWindow::~LoupeWindow() {
    if (Loupe == this)
        Loupe = nullptr;
}

void LoupeWindow::FollowCrosshair(digitize::Point pixel) {
    crosshair_ = pixel;
    // A key or a step moved the crosshair: show it even with the mouse resting
    // over the picture, until the mouse moves again.
    mouse_.reset();
    Changed();
}

void LoupeWindow::FollowMouse(digitize::Point pixel) {
    mouse_ = pixel;
    Changed();
}

void LoupeWindow::MouseLeft() {
    mouse_.reset();
    Changed();
}

void LoupeWindow::Refresh() {
    Changed();
}

void LoupeWindow::Changed() {
    ui->View->SetCentre(mouse_.value_or(crosshair_));
    if (!isVisible() || textQueued_)
        return;
    // The text once the handler is done, however many moves it made.
    textQueued_ = true;
    QMetaObject::invokeMethod(
        this, [this] { Guard([this] { ShowText(); }); }, Qt::QueuedConnection);
}

void LoupeWindow::ShowText() {
    textQueued_ = false;
    const QString text = QString::fromStdString(
        digitize::PixelText(ui->View->Centre(), source_.Picture(), source_.Marks()));
    ui->Label1->setText(text);
    ui->View->setAccessibleDescription(text);
}

void LoupeWindow::ShowAndRaise() {
    QWidget *const typing = QApplication::activeWindow();
    show();
    raise();
    // Some window systems activate every window shown: hand the keys back.
    if (typing != nullptr && typing != this)
        typing->activateWindow();
}

void LoupeWindow::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    Guard([this] { ShowText(); });
}
