#include "SafeSave.h"

#include <QSaveFile>

#include <cerrno>
#include <cstring>

#include <unistd.h>

QString WriteFileSafely(const QString &path, const QByteArray &bytes) {
    QSaveFile file(path);
    // The system's reason where there is one: Qt reports a failed flush as
    // "Unknown error". Without a commit the temporary file is discarded.
    const auto failure = [&] {
        const QString reason =
            errno != 0 ? QString::fromLocal8Bit(std::strerror(errno)) : file.errorString();
        file.cancelWriting();
        return reason;
    };
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        return failure();
    if (file.write(bytes) != bytes.size() || !file.flush() || ::fsync(file.handle()) != 0)
        return failure();
    errno = 0;
    if (!file.commit())
        return failure();
    return {};
}
