// The image window's picture with the crosshair's exclusive-or marks in it:
// where each mark was drawn, so that erasing inverts exactly the pixels that
// drawing inverted, and a way to read the picture with its marks taken out.
//
// Marks drawn with the exclusive-or mark pen reach the pixels when anything
// reads or shows the picture, not at once: exclusive-or drawings commute and
// a mark drawn twice at one place changes nothing, so a step that erases the
// cross, draws it, erases it for a search and draws it again costs one
// erase and one draw, yet every read sees the pixels an at-once drawing
// would have left. Other pens draw at once.
#pragma once

#include "digitize/loupe/Loupe.h"
#include "digitize/picture/Surface.h"
#include "digitize/view/Marks.h"

#include <functional>
#include <vector>

class MarkedPicture {
  public:
    // The picture, made blank white at the given size on first use, with
    // every mark drawn so far in its pixels.
    digitize::Surface &Canvas(int width, int height);
    // The picture as it is, marks in; 0 x 0 before anything was made or loaded.
    const digitize::Surface &Current() const;
    // Makes the blank picture if none was made or loaded yet, without
    // putting pending marks into the pixels.
    void Make(int width, int height);
    bool Made() const { return made_; }
    // Forgets marks not yet in the pixels: they belonged to the old picture.
    void Replace(digitize::Surface picture);

    // The pen the marks are drawn with.
    void SetPen(const digitize::Pen &pen) { picture_.SetPen(pen); }

    // Each draws with the surface's pen.
    void DrawCross(digitize::Point centre);
    void DrawBox(const digitize::Outline &box);
    // Draws again the marks that are there, as last drawn.
    void RedrawCross() { DrawCross(crossAt_); }
    void RedrawBox() { DrawBox(boxAt_); }

    // Puts the marks drawn since the last time into the pixels; each pixel
    // that changes is reported to the damage handler.
    void Settle() const;
    // Told of the pixels that changed, one rectangle a line.
    void OnDamage(std::function<void(const digitize::Rect &)> handler) {
        damage_ = std::move(handler);
    }
    // Told when a mark waits to reach the pixels, once until they settle.
    void OnPending(std::function<void()> handler) { pending_ = std::move(handler); }

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
    // A mark waiting to reach the pixels: a cross (Box unused) or a box.
    struct Waiting {
        bool IsCross = true;
        digitize::Point Cross;
        digitize::Outline Box;
        friend bool operator==(const Waiting &, const Waiting &) = default;
    };
    void Add(const Waiting &mark);
    void Apply(const Waiting &mark) const;

    // Settling changes pixels, not what the picture shows: reads settle too.
    mutable digitize::Surface picture_;
    mutable std::vector<Waiting> waiting_;
    bool made_ = false;
    digitize::Point crossAt_;
    digitize::Outline boxAt_;
    std::function<void(const digitize::Rect &)> damage_;
    std::function<void()> pending_;
};
