// What Ctrl+V in the image window takes from the clipboard: the file that
// its text or its first file URL names, or a picture. A paste is asked for
// by name, so a named file that is not there, or a clipboard that holds
// nothing to take, is reported; a drop of a file gone since is not.
#pragma once

#include <QImage>
#include <QList>
#include <QString>
#include <QUrl>

struct ClipboardPicture {
    QString Path;     // a file named by text
    QList<QUrl> Urls; // file URLs, taken as a drop takes them
    QImage Image;     // a picture, null when it cannot be read
};

// Throws digitize::Error "Cannot open file <path>: there is no such file"
// (a long path cut to 200 characters) or "The clipboard holds no picture
// and no file path".
ClipboardPicture TakeClipboardPicture();
