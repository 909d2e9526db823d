#include "SafeSave.h"

#include <QSaveFile>

QString WriteFileSafely(const QString &path, const QByteArray &bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    // QSaveFile::commit does not see a write that failed while flushing its
    // buffer: each step is checked on its own. Without a commit the
    // temporary file is discarded and the earlier file stays.
    if (file.write(bytes) != bytes.size() || !file.flush())
        return file.errorString();
    if (!file.commit())
        return file.errorString();
    return {};
}
