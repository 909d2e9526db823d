// Reading a picture file of any kind the program reads, choosing the reader
// by the file's extension and, where they disagree, by its first bytes.
#pragma once

#include "digitize/JpegDecoder.h"
#include "digitize/Surface.h"

class QString;

// A path whose extension names no kind read is refused with a message
// listing the kinds read. Otherwise a file whose first bytes are those of
// another kind read (a PNG saved as .jpg) is read as that kind, and any other
// file by its extension's reader. A file that cannot be opened gives
// "Cannot open file <path>", one that cannot be read "Cannot read <path>: "
// and the reader's message. An empty bitmap file is an empty picture.
digitize::Surface ReadPictureFile(const QString &path, digitize::JpegDecoder &jpeg);
