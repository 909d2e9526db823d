// The image window's picture with the crosshair's exclusive-or marks in it:
// where each mark was drawn, so that erasing inverts exactly the pixels that
// drawing inverted, and a way to read the picture with its marks taken out.
#pragma once

#include "digitize/loupe/Loupe.h"
#include "digitize/picture/Surface.h"
#include "digitize/view/Marks.h"

#include <array>

class MarkedPicture {
  public:
    // The picture, made blank white at the given size on first use.
    digitize::Surface &Canvas(int width, int height);
    // The picture as it is; 0 x 0 before anything was made or loaded.
    const digitize::Surface &Current() const { return picture_; }
    void Replace(digitize::Surface picture);

    // Each draws with the surface's pen and answers the pixels it changed.
    std::array<digitize::Rect, 2> DrawCross(digitize::Point centre);
    std::array<digitize::Rect, 4> DrawBox(const digitize::Outline &box);
    // Draws again the marks that are there, as last drawn.
    std::array<digitize::Rect, 2> RedrawCross() { return DrawCross(crossAt_); }
    std::array<digitize::Rect, 4> RedrawBox() { return DrawBox(boxAt_); }

    // Where the marks that are in the picture stand.
    digitize::DrawnMarks Marks(bool crossDrawn, bool boxDrawn) const;

    // Takes the marks out of the picture for as long as it lives, so that an
    // estimate reads the picture as it is; it puts them back before anything
    // is painted, so no pixel changes. Only the marks' pixels inside area are
    // touched: a read of a box costs the box, not the cross's long arms.
    class Lifted {
      public:
        Lifted(MarkedPicture &picture, digitize::DrawnMarks marks, const digitize::Outline &area);
        ~Lifted();
        Lifted(const Lifted &) = delete;
        Lifted &operator=(const Lifted &) = delete;

      private:
        void Invert();
        digitize::Surface &picture_;
        digitize::DrawnMarks marks_;
        digitize::Outline area_;
        digitize::Pen pen_;
    };

  private:
    digitize::Surface picture_;
    bool made_ = false;
    digitize::Point crossAt_;
    digitize::Outline boxAt_;
};
