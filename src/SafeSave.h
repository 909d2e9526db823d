// The one place where the program writes a file: the bytes go to a temporary
// file beside the target, which replaces the target only when every write
// and the flush succeeded; on failure the earlier file stays as it was.
#pragma once

#include <QByteArray>
#include <QString>

// Writes the bytes to the file; returns why it failed, or an empty text.
QString WriteFileSafely(const QString &path, const QByteArray &bytes);
