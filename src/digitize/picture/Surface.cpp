#include "digitize/picture/Surface.h"

#include "digitize/Errors.h"

#include <algorithm>
#include <cstdlib>
#include <new>
#include <string>

namespace digitize {
namespace {

std::string SizeText(std::int64_t width, std::int64_t height) {
    return std::to_string(width) + " x " + std::to_string(height) + " pixels";
}

void Include(Rect &r, int x, int y) {
    if (r.Empty()) {
        r = {x, y, x + 1, y + 1};
        return;
    }
    r.Left = std::min(r.Left, x);
    r.Top = std::min(r.Top, y);
    r.Right = std::max(r.Right, x + 1);
    r.Bottom = std::max(r.Bottom, y + 1);
}

} // namespace

void Surface::CheckSize(std::int64_t width, std::int64_t height) {
    if (width < 0 || height < 0)
        throw Error("A picture of " + SizeText(width, height) + " is not valid");
    if (width > MaxSide || height > MaxSide)
        throw Error("The picture is too large: " + SizeText(width, height) + ", more than " +
                    std::to_string(MaxSide) + " pixels a side");
    if (width * height > MaxPixels)
        throw Error("The picture is too large: " + SizeText(width, height) + ", more than " +
                    std::to_string(MaxPixels) + " pixels");
}

Surface::Surface(int width, int height) : width_(width), height_(height) {
    CheckSize(width, height);
    try {
        bits_ = std::make_unique_for_overwrite<std::uint32_t[]>(static_cast<std::size_t>(width) *
                                                                static_cast<std::size_t>(height));
    } catch (const std::bad_alloc &) {
        throw Error("Not enough memory for a picture of " + SizeText(width, height));
    }
}

Surface Surface::Uninitialised(int width, int height) {
    return Surface(width, height);
}

Surface Surface::Blank(int width, int height) {
    Surface s(width, height);
    std::fill_n(s.bits_.get(), static_cast<std::size_t>(width) * static_cast<std::size_t>(height),
                WordFromColour(White));
    return s;
}

void Surface::Plot(std::int64_t x, std::int64_t y, std::uint32_t word, Rect &changed) {
    const int w = pen_.Width < 1 ? 1 : pen_.Width;
    const int from = -(w - 1) / 2;
    for (int dy = from; dy < from + w; ++dy) {
        for (int dx = from; dx < from + w; ++dx) {
            if (!Contains(x + dx, y + dy))
                continue;
            const auto px = static_cast<int>(x + dx);
            const auto py = static_cast<int>(y + dy);
            auto &pixel = Row(py)[px];
            pixel = pen_.Mode == PenMode::Xor ? pixel ^ word : word;
            Include(changed, px, py);
        }
    }
}

Rect Surface::Line(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1) {
    // Exclusive-or touches only the colour bytes; copy writes an opaque word.
    const std::uint32_t word = pen_.Mode == PenMode::Xor ? ColourFromWord(pen_.Color) & 0xFFFFFFu
                                                         : WordFromColour(pen_.Color);
    Rect changed;
    if (pen_.Width <= 1 && (y0 == y1 || x0 == x1)) {
        // Horizontal and vertical lines (all the crosshair draws): clip, then run.
        if (y0 == y1 && x0 != x1 && y0 >= 0 && y0 < height_) {
            const auto y = static_cast<int>(y0);
            const auto left = static_cast<int>(std::max<std::int64_t>(std::min(x0, x1 + 1), 0));
            const auto right =
                static_cast<int>(std::min<std::int64_t>(std::max(x0, x1 - 1), width_ - 1));
            auto *row = Row(y);
            for (int x = left; x <= right; ++x)
                row[x] = pen_.Mode == PenMode::Xor ? row[x] ^ word : word;
            if (left <= right)
                changed = {left, y, right + 1, y + 1};
        } else if (x0 == x1 && y0 != y1 && x0 >= 0 && x0 < width_) {
            const auto x = static_cast<int>(x0);
            const auto top = static_cast<int>(std::max<std::int64_t>(std::min(y0, y1 + 1), 0));
            const auto bottom =
                static_cast<int>(std::min<std::int64_t>(std::max(y0, y1 - 1), height_ - 1));
            for (int y = top; y <= bottom; ++y) {
                auto &pixel = Row(y)[x];
                pixel = pen_.Mode == PenMode::Xor ? pixel ^ word : word;
            }
            if (top <= bottom)
                changed = {x, top, x + 1, bottom + 1};
        }
        return changed;
    }

    // Bresenham for the general case, stopping before the end point.
    const std::int64_t dx = x1 > x0 ? x1 - x0 : x0 - x1;
    const std::int64_t dy = -(y1 > y0 ? y1 - y0 : y0 - y1);
    const int sx = x0 < x1 ? 1 : -1;
    const int sy = y0 < y1 ? 1 : -1;
    std::int64_t err = dx + dy;
    auto x = x0;
    auto y = y0;
    while (x != x1 || y != y1) {
        Plot(x, y, word, changed);
        const std::int64_t e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
    return changed;
}

} // namespace digitize
