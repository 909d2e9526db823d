#include "WindowSet.h"

#include "ErrorBox.h"
#include "PictureView.h"
#include "digitize/Errors.h"

#include <QFileInfo>
#include <QTimer>

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
}

void TWindowSet::ShowStartWindows() {
    form1_.show();
    form2_.show();
}

void TWindowSet::OpenAtStart(const QString &path) {
    QTimer::singleShot(0, &form2_, [this, path] {
        Guard([&] {
            // A drop of a vanished file is ignored, but a file named to open must say so.
            if (!QFileInfo::exists(path))
                throw digitize::Error("Cannot open file " + path.toStdString());
            form2_.LoadImage(path);
        });
    });
}
