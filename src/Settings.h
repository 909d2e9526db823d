// What the program remembers between runs (window places, the folder last
// opened), kept by QSettings under the names set once at start-up.
#pragma once

#include <QString>

// The organisation and application names QSettings files its values under.
void SetProgramNames();

namespace settings {

// A window's place: its frame's top-left corner and its client size (QRect).
inline QString WindowKey(const QString &window) {
    return QStringLiteral("windows/") + window;
}
// The folder of the picture opened last.
inline const QString OpenFolder = QStringLiteral("open/folder");

} // namespace settings
