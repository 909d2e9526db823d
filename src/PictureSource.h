// What the image window shows, for the windows that show it again (the
// loupe): the picture, the crosshair's marks in it and the line being followed.
#pragma once

#include "digitize/loupe/Loupe.h"
#include "digitize/picture/Surface.h"

#include <optional>

class PictureSource {
  public:
    // The picture, made blank white at the picture area's size on first use.
    virtual const digitize::Surface &Picture() = 0;
    // Where the crosshair's marks are in the picture now.
    virtual digitize::DrawnMarks Marks() const = 0;
    // The line colour once one was taken from the picture, and the tolerance
    // a pixel's channels may lie from it.
    virtual std::optional<digitize::Colour> LineColour() const = 0;
    virtual int Tolerance() const = 0;

  protected:
    ~PictureSource() = default;
};
