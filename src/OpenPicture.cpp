#include "OpenPicture.h"

#include "PictureFile.h"
#include "Settings.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QSettings>

QString AskPicturePath(QWidget *parent) {
    QSettings remembered;
    QString folder = remembered.value(settings::OpenFolder).toString();
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    const QString path =
        QFileDialog::getOpenFileName(parent, QStringLiteral("Open Picture"), folder,
                                     PictureFileFilters().join(QStringLiteral(";;")));
    if (!path.isEmpty())
        remembered.setValue(settings::OpenFolder, QFileInfo(path).absolutePath());
    return path;
}
