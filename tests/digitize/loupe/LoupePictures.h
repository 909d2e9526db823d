// Pictures and renders shared by the loupe's tests: a pattern with every
// pixel unlike its neighbours, uniform pictures, the marks drawn in, and a
// render into a buffer of its own.
#pragma once

#include "digitize/Errors.h"
#include "digitize/loupe/Loupe.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace loupetest {

using digitize::Colour;
using digitize::DrawnMarks;
using digitize::LoupeScene;
using digitize::Point;
using digitize::ScreenPoint;
using digitize::Surface;

// Every pixel a different colour, none of them the same as a neighbour's.
inline Colour PatternColour(std::int64_t x, std::int64_t y) {
    return static_cast<Colour>(((x * 37 + y * 11) % 256) | (((x * 5 + y * 3) % 256) << 8) |
                               (((y * 7 + x) % 256) << 16));
}

inline Surface Pattern(int w, int h) {
    Surface s = Surface::Uninitialised(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            s.Row(y)[x] = digitize::WordFromColour(PatternColour(x, y));
    return s;
}

inline Surface Uniform(int w, int h, Colour c) {
    Surface s = Surface::Uninitialised(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            s.Row(y)[x] = digitize::WordFromColour(c);
    return s;
}

inline void DrawMarks(Surface &picture, const DrawnMarks &marks) {
    picture.SetPen({digitize::MarkColour, 1, digitize::PenMode::Xor});
    if (marks.Cross)
        digitize::DrawCross(picture, *marks.Cross);
    if (marks.Box)
        digitize::DrawOutline(picture, *marks.Box);
}

struct Render {
    int W;
    int H;
    std::vector<std::uint32_t> out;
    Render(const Surface &picture, const LoupeScene &scene, int w, int h)
        : W(w), H(h), out(static_cast<std::size_t>(w * h)) {
        digitize::RenderLoupe(picture, scene, out, w, h);
    }
    std::uint32_t At(std::int64_t x, std::int64_t y) const {
        return out.at(static_cast<std::size_t>(y * W + x));
    }
};

inline std::string Hex(std::uint32_t v) {
    char text[16];
    std::snprintf(text, sizeof text, "%08X", v);
    return text;
}

// ------------------------------------------------------------- mark parity
} // namespace loupetest
