// The 8 x 4 pattern that the committed test pictures show (made by
// scripts/make-test-pictures): one letter a pixel, top row first.
#pragma once

#include "digitize/picture/Surface.h"

namespace testpattern {

constexpr digitize::Colour Rgb(unsigned r, unsigned g, unsigned b) {
    return r | (g << 8) | (b << 16);
}

inline const char *const Rows[] = {"RGBWKYCM", "KKWWRRBB", "gOKWKWKW", "BBBBGGGG"};
constexpr int Width = 8;
constexpr int Height = 4;

// The colour a letter stands for; OutsideColour for a letter not in the pattern.
constexpr digitize::Colour Colour(char name) {
    switch (name) {
    case 'R':
        return Rgb(255, 0, 0);
    case 'G':
        return Rgb(0, 255, 0);
    case 'B':
        return Rgb(0, 0, 255);
    case 'W':
        return Rgb(255, 255, 255);
    case 'K':
        return Rgb(0, 0, 0);
    case 'Y':
        return Rgb(255, 255, 0);
    case 'C':
        return Rgb(0, 255, 255);
    case 'M':
        return Rgb(255, 0, 255);
    case 'g':
        return Rgb(128, 128, 128);
    case 'O':
        return Rgb(255, 128, 0);
    default:
        return digitize::OutsideColour;
    }
}

} // namespace testpattern
