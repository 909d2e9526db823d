// What the image window shows, for the windows that show it again (the
// loupe): the picture, the crosshair's marks in it, the line being followed
// and the recorded points' marks over it.
#pragma once

#include "digitize/loupe/Loupe.h"
#include "digitize/picture/Surface.h"
#include "digitize/view/PointMarks.h"

#include <optional>
#include <vector>

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
    // The marks shown of the points whose pixels lie within `pixels` widened
    // by `margin`, in drawing order; none while the marks are hidden.
    virtual std::vector<digitize::PointMark> PointMarksWithin(const digitize::Rect &pixels,
                                                              int margin) const = 0;

  protected:
    ~PictureSource() = default;
};
