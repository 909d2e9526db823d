#include "WindowSet.h"

#include "ErrorBox.h"
#include "OpenPicture.h"
#include "digitize/Errors.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QFileInfo>
#include <QShortcut>
#include <QTimer>

TWindowSet::TWindowSet() {
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
    QObject::connect(&form2_, &QWidget::windowTitleChanged, &form1_,
                     [this](const QString &title) { Guard([&] { PictureChanged(title); }); });
}

TWindowSet::~TWindowSet() {
    places_.RememberAll();
}

void TWindowSet::ShowStartWindows() {
    form1_.show();
    form2_.show();
    form1_.activateWindow();
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
    form1_.Button4Click();
    form2_.LoadImage(path);
}

void TWindowSet::PictureChanged(const QString &title) {
    form1_.ShowPictureName(QFileInfo(title).fileName());
    // The image window shows its new picture whole where the screen has room.
    const auto *view = form2_.findChild<QAbstractScrollArea *>(QStringLiteral("ScrollBox1"));
    const digitize::Surface &picture = form2_.Picture();
    if (view != nullptr)
        places_.ShowWhole(QSize(picture.Width(), picture.Height()),
                          form2_.size() - view->maximumViewportSize());
}
