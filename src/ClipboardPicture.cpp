#include "ClipboardPicture.h"

#include "digitize/Errors.h"
#include "digitize/picture/PicturePath.h"

#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>

namespace {

// A path named in the message is cut to this many characters.
constexpr int ShownPathCharacters = 200;

[[noreturn]] void ThrowNoFile(const QString &path) {
    if (path.isEmpty())
        throw digitize::Error("The clipboard holds no picture and no file path");
    const QString shown = path.size() > ShownPathCharacters
                              ? path.left(ShownPathCharacters) + QStringLiteral("...")
                              : path;
    throw digitize::Error("Cannot open file " + shown.toStdString() + ": there is no such file");
}

} // namespace

ClipboardPicture TakeClipboardPicture() {
    const QMimeData *mime = QGuiApplication::clipboard()->mimeData();
    ClipboardPicture taken;
    if (mime != nullptr && mime->hasFormat(QStringLiteral("text/plain"))) {
        taken.Path =
            QString::fromStdString(digitize::PathFromClipboardText(mime->text().toStdString()));
        if (!QFileInfo::exists(taken.Path))
            ThrowNoFile(taken.Path);
    } else if (mime != nullptr && mime->hasUrls()) {
        taken.Urls = mime->urls();
        const QUrl &first = taken.Urls.constFirst();
        if (first.isLocalFile() && !QFileInfo::exists(first.toLocalFile()))
            ThrowNoFile(first.toLocalFile());
    } else if (mime != nullptr && mime->hasImage()) {
        taken.Image = qvariant_cast<QImage>(mime->imageData());
    } else {
        ThrowNoFile(QString());
    }
    return taken;
}
