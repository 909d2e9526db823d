// Reading a picture file of any kind the program reads, the reader chosen by
// the file's extension and, where they disagree, by its first bytes.
#pragma once

#include "digitize/picture/JpegDecoder.h"
#include "digitize/picture/Surface.h"

class QString;

// A path whose extension names no kind read is refused with the message
// listing the kinds read, before the file is touched. Then a path that is not
// a regular file that can be opened gives "Cannot open file <path>" (a named
// pipe would block until something writes to it), and a file no reader can
// read (an empty file too) "Cannot read <path>: " and the reader's message.
digitize::Surface ReadPictureFile(const QString &path, digitize::JpegDecoder &jpeg);
