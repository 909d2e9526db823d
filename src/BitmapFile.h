// Pictures that Qt's own readers decode: Windows bitmap files of every depth
// and compression Qt reads, and clipboard images.
#pragma once

#include "digitize/picture/Surface.h"

class QIODevice;
class QImage;

// A header claiming a picture over the picture-size limit is refused with its
// size before anything is decoded; anything else unreadable, an empty device
// among them, throws Error("Bitmap image is not valid").
digitize::Surface ReadBitmap(QIODevice &device);

// The first picture of a GIF or WebP file (format "gif" or "webp") read by
// Qt's image plugins, laid over white where it is transparent. A size over
// the picture-size limit is refused before anything is decoded; a file the
// reader cannot read throws Error with the reader's reason.
digitize::Surface ReadQtPicture(QIODevice &device, const char *format);

// A copy of the image as a picture surface.
digitize::Surface SurfaceFromImage(const QImage &image);
