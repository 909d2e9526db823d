// The edge of every event handler: an exception thrown inside it ends the
// handler there and is shown in the standard error box. Debian's Qt is built
// without exception support, so nothing may unwind through a Qt frame.
#pragma once

#include <QString>

#include <exception>

// The title of the program as a whole, shown on its error boxes.
inline const QString ApplicationTitle = QStringLiteral("Curvelift");

// The message as shown: a "." is added when its last character sorts after ".".
QString ErrorBoxText(const QString &message);

// A modal critical box with one OK button, titled with the application title.
void ShowErrorBox(const QString &message) noexcept;

template <class Body> void Guard(Body &&body) noexcept {
    try {
        body();
    } catch (const std::exception &e) {
        ShowErrorBox(QString::fromUtf8(e.what()));
    } catch (...) {
        ShowErrorBox(QStringLiteral("Unexpected error"));
    }
}
