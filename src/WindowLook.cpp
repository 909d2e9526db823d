#include "WindowLook.h"

#include <QFont>
#include <QPalette>
#include <QWidget>

namespace look {
namespace {

QFont Face(int pixels, bool bold) {
    // The face the layout was drawn for, then faces of close metrics; DejaVu
    // Sans, the usual fallback, is too wide for the fixed control sizes.
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Arimo"), QStringLiteral("Nimbus Sans"),
                      QStringLiteral("Arial"), QStringLiteral("Helvetica")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

} // namespace

void UseWindowFont(QWidget *window) {
    window->setFont(Face(NormalPixels, false));
}

void UseFont(QWidget *control, int pixels, bool bold) {
    control->setFont(Face(pixels, bold));
}

QColor ToQColor(digitize::Colour colour) {
    return QColor(static_cast<int>(colour & 0xFFu), static_cast<int>((colour >> 8) & 0xFFu),
                  static_cast<int>((colour >> 16) & 0xFFu));
}

void SetBackground(QWidget *control, digitize::Colour colour) {
    QPalette palette = control->palette();
    palette.setColor(QPalette::Base, ToQColor(colour));
    palette.setColor(QPalette::Window, ToQColor(colour));
    palette.setColor(QPalette::Button, ToQColor(colour));
    control->setPalette(palette);
    control->setAutoFillBackground(true);
}

void SetTextColour(QWidget *control, digitize::Colour colour) {
    QPalette palette = control->palette();
    palette.setColor(QPalette::WindowText, ToQColor(colour));
    control->setPalette(palette);
}

} // namespace look
