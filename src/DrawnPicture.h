// Picture files that are drawn rather than decoded: the pages of a PDF and
// SVG drawings. They are rendered at a resolution the user chooses, white
// under anything transparent, within the picture-size limit.
#pragma once

#include "digitize/picture/PicturePath.h"
#include "digitize/picture/Surface.h"

#include <QString>

#include <memory>

class DrawnPicture {
  public:
    virtual ~DrawnPicture() = default;

    // Pages, from 1; a drawing has one.
    virtual int Pages() const = 0;
    // What a resolution means: dots per inch of a page (true), or pixels on
    // a drawing's long side (false).
    virtual bool PerInch() const = 0;
    virtual int DefaultResolution() const = 0;

    struct Rendering {
        digitize::Surface Picture;
        // Why the picture is smaller than asked; empty when it is not.
        QString Note;
    };
    // Throws Error when the page cannot be drawn.
    virtual Rendering Render(int page, int resolution) const = 0;
};

// Opens a PDF or an SVG file. A file that is damaged, or a PDF that needs a
// password, throws Error with the reason.
std::unique_ptr<DrawnPicture> OpenDrawnPicture(const QString &path, digitize::PictureKind kind);

// The note for a picture rendered smaller than asked.
QString LoweredNote(double shown, int asked, bool perInch);
