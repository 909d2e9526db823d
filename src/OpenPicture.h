// The open dialog for pictures (Ctrl+O in every window): a filter for every
// kind of picture the program reads, starting in the folder opened last.
#pragma once

#include <QString>

class QWidget;

// Asks for a picture to open; empty when the user cancels. The folder of
// the file chosen is remembered (QSettings) for the next time.
QString AskPicturePath(QWidget *parent);
