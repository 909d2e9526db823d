// The look shared by the four windows: pixel-sized fonts of one sans face
// (Designer files can only give point sizes) and colours given as 0x00BBGGRR.
#pragma once

#include "digitize/picture/Surface.h"

#include <QColor>

class QWidget;

namespace look {

inline constexpr int NormalPixels = 11;
inline constexpr int LargePixels = 13;

// The window's own font, which its controls inherit.
void UseWindowFont(QWidget *window);
// A control's font at a pixel size, bold or regular, of the window's face.
void UseFont(QWidget *control, int pixels, bool bold);

QColor ToQColor(digitize::Colour colour);
// The background of a field, panel or swatch.
void SetBackground(QWidget *control, digitize::Colour colour);
void SetTextColour(QWidget *control, digitize::Colour colour);

} // namespace look
