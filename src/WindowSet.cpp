#include "WindowSet.h"

#include "ErrorBox.h"
#include "OpenPicture.h"
#include "PictureView.h"
#include "digitize/Errors.h"

#include <QApplication>
#include <QFileInfo>
#include <QShortcut>
#include <QTimer>
#include <QWindow>

TWindowSet::TWindowSet() {
    QObject::connect(&form2_, &TForm2::CrosshairMoved, &loupe_, &LoupeWindow::FollowCrosshair);
    QObject::connect(&form2_, &TForm2::MouseOverPicture, &loupe_, &LoupeWindow::FollowMouse);
    QObject::connect(&form2_, &TForm2::MouseLeftPicture, &loupe_, &LoupeWindow::MouseLeft);
    QObject::connect(&form2_, &TForm2::PictureChanged, &loupe_, &LoupeWindow::Refresh);
    QObject::connect(&form2_, &TForm2::LoupeAsked, &loupe_, &LoupeWindow::ShowAndRaise);
    QObject::connect(&form4_, &TForm4::LineChanged, &loupe_, &LoupeWindow::Refresh);
    // The "Marks" box and the M key show and hide the marks, each telling the other.
    QObject::connect(&form1_, &TForm1::MarksToggled, &form2_.View(), &TPictureView::SetMarksShown);
    QObject::connect(&form2_.View(), &TPictureView::MarksShownChanged, &form1_,
                     &TForm1::SetMarksChecked);
    QObject::connect(&form2_.View(), &TPictureView::MarksChanged, &loupe_, &LoupeWindow::Refresh);

    places_.Manage(&form1_, TWindowPlaces::Role::Control, QStringLiteral("control"));
    places_.Manage(&form2_, TWindowPlaces::Role::Picture, QStringLiteral("image"));
    places_.Manage(&form3_, TWindowPlaces::Role::Tool, QStringLiteral("help"));
    places_.Manage(&form4_, TWindowPlaces::Role::Tool, QStringLiteral("cursor"));
    places_.Manage(&loupe_, TWindowPlaces::Role::Tool, QStringLiteral("loupe"));
    // In every window; the control window lives as long as the set.
    auto *open = new QShortcut(QKeySequence::Open, &form1_); // the window owns it
    open->setContext(Qt::ApplicationShortcut);
    QObject::connect(open, &QShortcut::activated, &form1_,
                     [this] { Guard([this] { OpenPicture(); }); });
    QObject::connect(&form2_, &TForm2::PictureChanged, &form1_,
                     [this] { Guard([this] { ShowNewPicture(); }); });
}

TWindowSet::~TWindowSet() {
    places_.RememberAll();
}

void TWindowSet::ShowStartWindows(StartKeys keys) {
    QWidget *typing = keys == StartKeys::Control ? static_cast<QWidget *>(&form1_) : &form2_;
    QWidget *other = typing == &form1_ ? static_cast<QWidget *>(&form2_) : &form1_;
    // Window managers give the keys to the window mapped last unless it asks
    // not to take them: the other one asks.
    other->setAttribute(Qt::WA_ShowWithoutActivating);
    form1_.show();
    form2_.show();
    other->setAttribute(Qt::WA_ShowWithoutActivating, false);
    if (QWindow *handle = other->windowHandle())
        handle->setProperty("_q_showWithoutActivating", false); // shown again, it takes them
    typing->activateWindow();
}

void TWindowSet::OpenAtStart(const QString &path) {
    QTimer::singleShot(0, &form2_, [this, path] {
        Guard([&] {
            // A drop of a vanished file is ignored, but a file named to open must say so.
            if (!QFileInfo::exists(path))
                throw digitize::Error("Cannot open file " + path.toStdString());
            form2_.LoadImage(path);
        });
        // The first arrow key moves the crosshair.
        form2_.raise();
        form2_.activateWindow();
        form2_.setFocus(Qt::ActiveWindowFocusReason);
    });
}

void TWindowSet::OpenPicture() {
    const QString path = AskPicturePath(QApplication::activeWindow());
    if (path.isEmpty())
        return;
    form1_.Button5Click();
    form2_.LoadImage(path);
}

void TWindowSet::ShowNewPicture() {
    form1_.ShowPictureName(form2_.windowTitle());
    // The image window shows its new picture whole where the screen has room.
    const digitize::Surface &picture = form2_.Picture();
    places_.ShowWhole(QSize(picture.Width(), picture.Height()), form2_.ChromeAroundPicture());
}
