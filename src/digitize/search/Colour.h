// Whether a pixel belongs to the curve being followed: each of its three
// colour channels lies within a tolerance of the line colour's. Colours are
// 0x00BBGGRR; the top byte is ignored, so OutsideColour compares as white.
#pragma once

#include "digitize/picture/Surface.h"

namespace digitize {

// The tolerance curve tests start with; the user can change it within
// MinTolerance..MaxTolerance.
inline constexpr int DefaultTolerance = 64;
inline constexpr int MinTolerance = 1;
inline constexpr int MaxTolerance = 255;

constexpr bool ColorNear(Colour a, Colour b, int tol) {
    for (int shift = 0; shift < 24; shift += 8) {
        const int ca = static_cast<int>((a >> shift) & 0xFFu);
        const int cb = static_cast<int>((b >> shift) & 0xFFu);
        if (ca - cb > tol || cb - ca > tol)
            return false;
    }
    return true;
}

} // namespace digitize
