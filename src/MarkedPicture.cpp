#include "MarkedPicture.h"

#include <algorithm>

namespace {

bool IsMarkPen(const digitize::Pen &pen) {
    return pen.Color == digitize::MarkColour && pen.Width == 1 &&
           pen.Mode == digitize::PenMode::Xor;
}

} // namespace

void MarkedPicture::Make(int width, int height) {
    if (!made_)
        Replace(digitize::Surface::Blank(width, height));
}

digitize::Surface &MarkedPicture::Canvas(int width, int height) {
    Make(width, height);
    Settle();
    return picture_;
}

const digitize::Surface &MarkedPicture::Current() const {
    Settle();
    return picture_;
}

void MarkedPicture::Replace(digitize::Surface picture) {
    picture_ = std::move(picture);
    waiting_.clear();
    made_ = true;
}

void MarkedPicture::DrawCross(digitize::Point centre) {
    crossAt_ = centre;
    Add({true, centre, {}});
}

void MarkedPicture::DrawBox(const digitize::Outline &box) {
    boxAt_ = box;
    Add({false, {}, box});
}

void MarkedPicture::Add(const Waiting &mark) {
    if (!IsMarkPen(picture_.Pen())) {
        Settle();
        Apply(mark);
        return;
    }
    // The same mark twice inverts its pixels back.
    if (const auto same = std::find(waiting_.begin(), waiting_.end(), mark);
        same != waiting_.end()) {
        waiting_.erase(same);
        return;
    }
    if (waiting_.empty() && pending_)
        pending_();
    waiting_.push_back(mark);
}

void MarkedPicture::Apply(const Waiting &mark) const {
    const auto report = [this](const auto &changed) {
        if (damage_)
            for (const digitize::Rect &r : changed)
                if (!r.Empty())
                    damage_(r);
    };
    if (mark.IsCross)
        report(digitize::DrawCross(picture_, mark.Cross));
    else
        report(digitize::DrawOutline(picture_, mark.Box));
}

void MarkedPicture::Settle() const {
    if (waiting_.empty())
        return;
    const digitize::Pen pen = picture_.Pen();
    picture_.SetPen({digitize::MarkColour, 1, digitize::PenMode::Xor});
    for (const Waiting &mark : std::exchange(waiting_, {}))
        Apply(mark);
    picture_.SetPen(pen);
}

digitize::DrawnMarks MarkedPicture::Marks(bool crossDrawn, bool boxDrawn) const {
    return {crossDrawn ? std::optional(crossAt_) : std::nullopt,
            boxDrawn ? std::optional(boxAt_) : std::nullopt};
}

MarkedPicture::Lifted::Lifted(MarkedPicture &picture, digitize::DrawnMarks marks,
                              const digitize::Outline &area)
    : picture_(picture.picture_), marks_(marks), area_(area), pen_(picture_.Pen()) {
    picture.Settle();
    picture_.SetPen({digitize::MarkColour, 1, digitize::PenMode::Xor});
    Invert();
}

MarkedPicture::Lifted::~Lifted() {
    Invert();
    picture_.SetPen(pen_);
}

void MarkedPicture::Lifted::Invert() {
    if (marks_.Cross)
        digitize::DrawWithin(picture_, digitize::CrossLines(*marks_.Cross), area_);
    if (marks_.Box)
        digitize::DrawWithin(picture_, digitize::OutlineLines(*marks_.Box), area_);
}
