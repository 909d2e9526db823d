// Reading a picture file of any kind the program reads, the reader chosen by
// the file's extension and, where they disagree, by its first bytes.
#pragma once

#include "DrawnPicture.h"
#include "digitize/picture/JpegDecoder.h"
#include "digitize/picture/Surface.h"

#include <QString>
#include <QStringList>

#include <memory>

struct OpenedPicture {
    digitize::Surface Picture;
    // The PDF or SVG the picture was rendered from (page 1 at the default
    // resolution), for choosing another; null for a decoded picture.
    std::unique_ptr<DrawnPicture> Drawn;
    // Why a rendered picture is smaller than asked; empty when it is not.
    QString Note;
};

// A path whose extension names no kind read is refused with the message
// listing the kinds read, before the file is touched. Then a path that is not
// a regular file that can be opened gives "Cannot open file <path>" (a named
// pipe would block until something writes to it), and a file no reader can
// read (an empty file too) "Cannot read <path>: " and the reader's message. A
// PDF that needs a password is refused as such.
OpenedPicture OpenPictureFile(const QString &path, digitize::JpegDecoder &jpeg);

// The picture alone.
digitize::Surface ReadPictureFile(const QString &path, digitize::JpegDecoder &jpeg);

// Name filters for a file dialog: every kind read together first
// ("Pictures (*.jpg *.JPG ...)"), then each kind ("PDF (*.pdf *.PDF)"), then
// "All files (*)"; each extension in lower and in upper case.
QStringList PictureFileFilters();
