#include "SafeSave.h"

#include "digitize/Errors.h"

#include <QSaveFile>

#include <cerrno>
#include <cstring>

#include <unistd.h>

void SaveWhole(const QString &path, const QByteArray &bytes) {
    QSaveFile file(path);
    // The system's reason where there is one: Qt reports a failed flush as
    // "Unknown error".
    const auto fail = [&] {
        const QString reason =
            errno != 0 ? QString::fromLocal8Bit(std::strerror(errno)) : file.errorString();
        file.cancelWriting();
        throw digitize::Error(("Cannot save " + path + ": " + reason).toStdString());
    };
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        fail();
    if (file.write(bytes) != bytes.size() || !file.flush() || ::fsync(file.handle()) != 0)
        fail();
    errno = 0;
    if (!file.commit())
        fail();
}
