// Writing a file whole or not at all: the earlier file stays exactly as it
// was unless every byte of the new one reached the disk.
#pragma once

#include <QByteArray>
#include <QString>

// Writes bytes to path through a temporary file beside it, checking every
// write and the final flush and syncing it to the disk before it replaces
// the earlier file (Qt 6.4's QSaveFile::commit misses a write that fails
// while flushing, as on a full disk). Throws digitize::Error("Cannot save
// <path>: <reason>") and leaves the earlier file untouched on any failure.
void SaveWhole(const QString &path, const QByteArray &bytes);
