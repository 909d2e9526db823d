// The image window's picture: made on first use, replaced by a file, a drop
// or the clipboard, and named in the title and on the status line.
#include "Unit2.h"
#include "ui_Unit2.h"

#include "BitmapFile.h"
#include "BusyCursor.h"
#include "ClipboardPicture.h"
#include "ErrorBox.h"
#include "PictureFile.h"
#include "PictureView.h"
#include "ReferenceLocks.h"
#include "digitize/calibration/Rounding.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>

using digitize::Round;

void TForm2::MakePicture() {
    if (picture_.Made())
        return;
    // Before any picture the area is one to one: its size is the picture's.
    picture_.Make(ui->Image1->width(), ui->Image1->height());
    ui->ScrollBox1->ShowPicture();
}

digitize::Surface &TForm2::Canvas() {
    MakePicture();
    return picture_.Canvas(0, 0);
}

const digitize::Surface &TForm2::Picture() {
    return Canvas();
}

void TForm2::ReplacePicture(digitize::Surface picture) {
    const digitize::Surface &before = picture_.Current();
    const bool sameSize = before.Width() == picture.Width() && before.Height() == picture.Height();
    picture_.Replace(std::move(picture));
    ui->ScrollBox1->ShowPicture();
    emit PictureChanged();
    if (const QString said = FollowNewPicture(undo_, sameSize); !said.isEmpty())
        ShowStatus(said);
}

void TForm2::NamePicture(const QString &name, const QString &where) {
    // The title names the picture; the status line says where it came from.
    setWindowTitle(name);
    ShowStatus(where);
    ui->Label2->setToolTip(where);
}

QSize TForm2::ChromeAroundPicture() const {
    return size() - ui->ScrollBox1->maximumViewportSize();
}

void TForm2::FollowCrosshair() {
    ui->ScrollBox1->Follow({Round(CurX), Round(CurY)}, followMargin_);
}

void TForm2::LoadImage(const QString &path) {
    // A path that names nothing loads nothing and changes nothing.
    if (!QFileInfo::exists(path))
        return;

    BusyCursor busy;
    if (!jpeg_)
        jpeg_.emplace();
    OpenedPicture opened = OpenPictureFile(path, *jpeg_);
    NamePicture(QFileInfo(path).fileName(), path);
    ReplacePicture(std::move(opened.Picture));
    chooser_.Offer(std::move(opened.Drawn), opened.Note);
    if (!opened.Note.isEmpty())
        ShowStatus(opened.Note);
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
    const ClipboardPicture taken = TakeClipboardPicture();
    if (!taken.Path.isEmpty()) {
        LoadImage(taken.Path);
    } else if (!taken.Urls.isEmpty()) {
        wmDropFiles(taken.Urls);
    } else if (!taken.Image.isNull()) {
        NamePicture(QStringLiteral("Image.bmp"),
                    QStringLiteral("Picture pasted from the clipboard"));
        ReplacePicture(SurfaceFromImage(taken.Image));
        chooser_.Offer(nullptr);
        CrossDrawn = false;
        BoxDrawn = false;
    }
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
