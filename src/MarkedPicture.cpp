#include "MarkedPicture.h"

digitize::Surface &MarkedPicture::Canvas(int width, int height) {
    if (!made_)
        Replace(digitize::Surface::Blank(width, height));
    return picture_;
}

void MarkedPicture::Replace(digitize::Surface picture) {
    picture_ = std::move(picture);
    made_ = true;
}

std::array<digitize::Rect, 2> MarkedPicture::DrawCross(digitize::Point centre) {
    crossAt_ = centre;
    return digitize::DrawCross(picture_, centre);
}

std::array<digitize::Rect, 4> MarkedPicture::DrawBox(const digitize::Outline &box) {
    boxAt_ = box;
    return digitize::DrawOutline(picture_, box);
}

digitize::DrawnMarks MarkedPicture::Marks(bool crossDrawn, bool boxDrawn) const {
    return {crossDrawn ? std::optional(crossAt_) : std::nullopt,
            boxDrawn ? std::optional(boxAt_) : std::nullopt};
}

MarkedPicture::Lifted::Lifted(MarkedPicture &picture, digitize::DrawnMarks marks,
                              const digitize::Outline &area)
    : picture_(picture.picture_), marks_(marks), area_(area), pen_(picture_.Pen()) {
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
