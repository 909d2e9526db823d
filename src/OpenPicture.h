// The open dialog for pictures (Ctrl+O in every window): a filter for every
// kind of picture the program reads, starting in the folder opened last.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QWidget;

struct PictureFormat {
    QString Name;
    QStringList Patterns; // "*.jpg", ...
};

// Every kind of picture the program reads: the one list the dialog's
// filters are made from.
QList<PictureFormat> PictureFormats();

// The dialog's filters: all the pictures read, then each kind, then all files.
QStringList PictureFilters();

// Asks for a picture to open; empty when the user cancels. The folder of
// the file chosen is remembered (QSettings) for the next time.
QString AskPicturePath(QWidget *parent);
