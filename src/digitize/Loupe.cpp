#include "Loupe.h"

#include "Errors.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace digitize {
namespace {

bool Covers(const Segment &s, std::int64_t x, std::int64_t y) {
    // Surface::Line's runs: from the start point towards the end, which is left out.
    if (s.Y0 == s.Y1 && s.X0 != s.X1)
        return y == s.Y0 && x >= std::min(s.X0, s.X1 + 1) && x <= std::max(s.X0, s.X1 - 1);
    if (s.X0 == s.X1 && s.Y0 != s.Y1)
        return x == s.X0 && y >= std::min(s.Y0, s.Y1 + 1) && y <= std::max(s.Y0, s.Y1 - 1);
    return false;
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}

std::int32_t Saturate(std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

int Channel(Colour c, int shift) {
    return static_cast<int>((c >> shift) & 0xFFu);
}

bool Light(Colour c) {
    return 299 * Channel(c, 0) + 587 * Channel(c, 8) + 114 * Channel(c, 16) >= 128 * 1000;
}

// A shade of the cell's own colour, so the grid stays quiet on any picture.
std::uint32_t GridWord(Colour c) {
    const bool light = Light(c);
    Colour grid = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int v = Channel(c, shift);
        grid |= static_cast<Colour>(light ? v * 3 / 4 : v + (255 - v) / 4) << shift;
    }
    return WordFromColour(grid);
}

std::uint32_t OutsideWord(int sx, int sy) {
    return ((sx / 4 + sy / 4) % 2 == 0) ? OutsideLight : OutsideDark;
}

// Drawing into the caller's buffer, clipped to it.
class Canvas {
  public:
    Canvas(std::span<std::uint32_t> out, int width, int height)
        : out_(out), width_(width), height_(height) {}

    void Plot(std::int64_t x, std::int64_t y, std::uint32_t word) {
        if (x >= 0 && y >= 0 && x < width_ && y < height_)
            out_[static_cast<std::size_t>(y * width_ + x)] = word;
    }
    void Fill(std::int64_t x, std::int64_t y, int w, int h, std::uint32_t word) {
        for (std::int64_t row = std::max<std::int64_t>(y, 0);
             row < std::min<std::int64_t>(y + h, height_); ++row)
            for (std::int64_t col = std::max<std::int64_t>(x, 0);
                 col < std::min<std::int64_t>(x + w, width_); ++col)
                out_[static_cast<std::size_t>(row * width_ + col)] = word;
    }
    // The four sides of a rectangle with corners a and b, both inclusive,
    // each pixel in the tone given for its place along its side.
    template <class Tone> void Frame(ScreenPoint a, ScreenPoint b, Tone tone) {
        for (std::int64_t x = std::max<std::int64_t>(a.X, -1);
             x <= std::min<std::int64_t>(b.X, width_); ++x) {
            Plot(x, a.Y, tone(x));
            Plot(x, b.Y, tone(x));
        }
        for (std::int64_t y = std::max<std::int64_t>(a.Y, -1);
             y <= std::min<std::int64_t>(b.Y, height_); ++y) {
            Plot(a.X, y, tone(y));
            Plot(b.X, y, tone(y));
        }
    }

  private:
    std::span<std::uint32_t> out_;
    int width_;
    int height_;
};

} // namespace

int MarkCoverage(const DrawnMarks &marks, std::int64_t x, std::int64_t y) {
    int count = 0;
    if (marks.Cross)
        for (const Segment &s : CrossLines(*marks.Cross))
            count += Covers(s, x, y);
    if (marks.Box)
        for (const Segment &s : OutlineLines(*marks.Box))
            count += Covers(s, x, y);
    return count;
}

Colour CleanPixel(const Surface &picture, const DrawnMarks &marks, std::int64_t x, std::int64_t y) {
    const Colour seen = picture.Pixel(x, y);
    if (!picture.Contains(x, y) || MarkCoverage(marks, x, y) % 2 == 0)
        return seen;
    return seen ^ MarkColour;
}

int StepZoom(int zoom, int steps) {
    const auto nearest = std::min_element(LoupeZooms.begin(), LoupeZooms.end(), [&](int a, int b) {
        return std::abs(a - zoom) < std::abs(b - zoom);
    });
    const auto last = static_cast<int>(LoupeZooms.size()) - 1;
    const auto at = std::clamp(static_cast<int>(nearest - LoupeZooms.begin()) + steps, 0, last);
    return LoupeZooms[static_cast<std::size_t>(at)];
}

ScreenPoint CellCorner(const LoupeScene &scene, int width, int height, Point pixel) {
    const std::int64_t z = scene.Zoom;
    return {(width - z) / 2 + (std::int64_t{pixel.X} - scene.Centre.X) * z,
            (height - z) / 2 + (std::int64_t{pixel.Y} - scene.Centre.Y) * z};
}

Point PixelOnScreen(const LoupeScene &scene, int width, int height, ScreenPoint screen) {
    const std::int64_t z = scene.Zoom;
    return {Saturate(scene.Centre.X + FloorDiv(screen.X - (width - z) / 2, z)),
            Saturate(scene.Centre.Y + FloorDiv(screen.Y - (height - z) / 2, z))};
}

Dot LineColourDot(int zoom) {
    const int grid = zoom >= GridZoom ? 1 : 0;
    const int inside = zoom - grid;
    int side = std::max(1, inside / 3);
    // Centred exactly where that keeps the dot small beside its cell.
    if ((inside - side) % 2 != 0 && side + 1 <= inside / 2)
        ++side;
    return {side, grid + (inside - side) / 2};
}

void RenderLoupe(const Surface &picture, const LoupeScene &scene, std::span<std::uint32_t> out,
                 int width, int height) {
    if (scene.Zoom < 1)
        throw Error("The loupe cannot magnify by less than 1");
    if (width < 0 || height < 0 ||
        out.size() < static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
        throw Error("The loupe's buffer is smaller than the loupe");
    if (width == 0 || height == 0)
        return;
    Canvas canvas(out, width, height);
    const int z = scene.Zoom;
    const bool grid = z >= GridZoom;
    const Point first = PixelOnScreen(scene, width, height, {0, 0});
    const Point last = PixelOnScreen(scene, width, height, {width - 1, height - 1});

    for (std::int64_t py = first.Y; py <= last.Y; ++py) {
        for (std::int64_t px = first.X; px <= last.X; ++px) {
            const Point pixel{static_cast<std::int32_t>(px), static_cast<std::int32_t>(py)};
            const ScreenPoint corner = CellCorner(scene, width, height, pixel);
            if (!picture.Contains(px, py)) {
                for (std::int64_t sy = std::max<std::int64_t>(corner.Y, 0);
                     sy < std::min<std::int64_t>(corner.Y + z, height); ++sy)
                    for (std::int64_t sx = std::max<std::int64_t>(corner.X, 0);
                         sx < std::min<std::int64_t>(corner.X + z, width); ++sx)
                        canvas.Plot(sx, sy,
                                    OutsideWord(static_cast<int>(sx), static_cast<int>(sy)));
                continue;
            }
            const Colour colour = CleanPixel(picture, scene.Marks, px, py);
            canvas.Fill(corner.X, corner.Y, z, z, WordFromColour(colour));
            if (grid) {
                canvas.Fill(corner.X, corner.Y, z, 1, GridWord(colour));
                canvas.Fill(corner.X, corner.Y, 1, z, GridWord(colour));
            }
            if (scene.LineColour && ColorNear(colour, *scene.LineColour, scene.Tolerance)) {
                const Dot dot = LineColourDot(z);
                canvas.Fill(corner.X + dot.Offset, corner.Y + dot.Offset, dot.Side, dot.Side,
                            Light(colour) ? LoupeDark : LoupeLight);
            }
        }
    }

    // The band of box outline pixels between two dashed frames.
    if (scene.Marks.Box) {
        const Outline &box = *scene.Marks.Box;
        const auto l = static_cast<std::int32_t>(std::min(box.Left, box.Right));
        const auto r = static_cast<std::int32_t>(std::max(box.Left, box.Right));
        const auto t = static_cast<std::int32_t>(std::min(box.Top, box.Bottom));
        const auto b = static_cast<std::int32_t>(std::max(box.Top, box.Bottom));
        const auto corner = [&](std::int32_t x, std::int32_t y) {
            return CellCorner(scene, width, height, {x, y});
        };
        const auto dashes = [](std::int64_t along) {
            return (along / 2) % 2 == 0 ? LoupeDark : LoupeLight;
        };
        canvas.Frame(corner(l, t), corner(r + 1, b + 1), dashes);
        if (r - l >= 2 && b - t >= 2)
            canvas.Frame(corner(l + 1, t + 1), corner(r, b), dashes);
    }
    // The crosshair pixel: a dark frame on its cell's edge, a light one around that.
    if (scene.Marks.Cross) {
        const ScreenPoint c = CellCorner(scene, width, height, *scene.Marks.Cross);
        canvas.Frame(c, {c.X + z, c.Y + z}, [](std::int64_t) { return LoupeDark; });
        canvas.Frame({c.X - 1, c.Y - 1}, {c.X + z + 1, c.Y + z + 1},
                     [](std::int64_t) { return LoupeLight; });
    }
}

std::string PixelText(Point pixel, const Surface &picture, const DrawnMarks &marks) {
    std::string text = "X " + std::to_string(pixel.X) + "  Y " + std::to_string(pixel.Y) + "   ";
    if (!picture.Contains(pixel.X, pixel.Y))
        return text + "outside the picture";
    const Colour c = CleanPixel(picture, marks, pixel.X, pixel.Y);
    return text + "R " + std::to_string(Channel(c, 0)) + " G " + std::to_string(Channel(c, 8)) +
           " B " + std::to_string(Channel(c, 16));
}

} // namespace digitize
