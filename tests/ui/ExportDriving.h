// Driving the save dialog of the recorded points as a user does, with
// keys, and reading the CSV files it writes back with Python's csv module.
#pragma once

#include <QList>
#include <QMessageBox>
#include <QString>
#include <QStringList>

// How the user answers the save dialog: the folder gone to, the file type
// and options picked with the keys (empty: as shown), the name typed before
// Enter (empty: Escape).
struct Answer {
    QString folder;
    QString filter;
    QString decimal;
    QString separator;
    QString file;
};

// What the program showed.
struct Shown {
    QString message; // a message box instead of the dialog
    bool dialog = false;
    QWidget *over = nullptr;
    QString folder, file, filter, decimal, separator;
    QString fileAfterPicks; // the name once the file type was picked
    bool optionsEnabled = false;
    QStringList unnamed; // controls a screen reader would not name
};

// Presses Ctrl+S in a window and answers what opens.
Shown SaveWith(QWidget *window, const Answer &answer);

// Closes the control window; the texts of the questions asked, each
// answered with the button given. A closed window is shown again, as if
// the program, which would have ended, started anew with the same points.
QStringList CloseAnswering(QMessageBox::StandardButton button, bool *closed);

// The rows Python's csv module reads from a file, strictly.
QList<QStringList> ReadCsv(const QString &path, QChar separator);

QByteArray Read(const QString &path);
