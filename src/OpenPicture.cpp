#include "OpenPicture.h"

#include "Settings.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QSettings>

QList<PictureFormat> PictureFormats() {
    // The extensions digitize::KindOfPath reads.
    return {
        {QStringLiteral("JPEG"),
         {QStringLiteral("*.jpg"), QStringLiteral("*.jpeg"), QStringLiteral("*.jpe"),
          QStringLiteral("*.jfif")}},
        {QStringLiteral("PNG"), {QStringLiteral("*.png")}},
        {QStringLiteral("Windows bitmap"), {QStringLiteral("*.bmp")}},
        {QStringLiteral("TIFF"), {QStringLiteral("*.tif"), QStringLiteral("*.tiff")}},
    };
}

QStringList PictureFilters() {
    QStringList all;
    QStringList filters;
    for (const PictureFormat &format : PictureFormats()) {
        all += format.Patterns;
        filters << format.Name + QStringLiteral(" (") + format.Patterns.join(QLatin1Char(' ')) +
                       QLatin1Char(')');
    }
    filters.prepend(QStringLiteral("All pictures (") + all.join(QLatin1Char(' ')) +
                    QLatin1Char(')'));
    filters << QStringLiteral("All files (*)");
    return filters;
}

QString AskPicturePath(QWidget *parent) {
    QSettings remembered;
    QString folder = remembered.value(settings::OpenFolder).toString();
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    const QString path =
        QFileDialog::getOpenFileName(parent, QStringLiteral("Open Picture"), folder,
                                     PictureFilters().join(QStringLiteral(";;")));
    if (!path.isEmpty())
        remembered.setValue(settings::OpenFolder, QFileInfo(path).absolutePath());
    return path;
}
