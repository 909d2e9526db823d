// The one place where the program writes a file: the bytes go to a temporary
// file beside the target, which replaces the target only when every byte
// reached the disk; on failure the earlier file stays exactly as it was.
#pragma once

#include <QByteArray>
#include <QString>

// Writes bytes to path through a temporary file beside it, checking every
// write and the final flush and syncing it to the disk before it replaces
// the earlier file (Qt 6.4's QSaveFile::commit misses a write that fails
// while flushing, as on a full disk). Returns why it failed, with the
// system's reason, or an empty text.
QString WriteFileSafely(const QString &path, const QByteArray &bytes);
