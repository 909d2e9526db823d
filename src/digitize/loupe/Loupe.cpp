#include "digitize/loupe/Loupe.h"

#include "digitize/Errors.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <vector>

namespace digitize {
namespace {

// The pixels a mark's line inverts, both corners inclusive, as Surface::Line
// draws it: from the start point towards the end, which is left out.
struct Run {
    std::int64_t Left = 0;
    std::int64_t Top = 0;
    std::int64_t Right = -1;
    std::int64_t Bottom = -1;
};

Run Pixels(const Segment &s) {
    if (s.Y0 == s.Y1 && s.X0 != s.X1)
        return {std::min(s.X0, s.X1 + 1), s.Y0, std::max(s.X0, s.X1 - 1), s.Y0};
    if (s.X0 == s.X1 && s.Y0 != s.Y1)
        return {s.X0, std::min(s.Y0, s.Y1 + 1), s.X0, std::max(s.Y0, s.Y1 - 1)};
    return {};
}

template <class Visit> void ForEachLine(const DrawnMarks &marks, Visit visit) {
    if (marks.Cross)
        for (const Segment &s : CrossLines(*marks.Cross))
            visit(Pixels(s));
    if (marks.Box)
        for (const Segment &s : OutlineLines(*marks.Box))
            visit(Pixels(s));
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

// A picture pixel in view: its clean colour first, then the words its cell is drawn with.
struct Cell {
    std::uint32_t Fill = 0;
    std::uint32_t Grid = 0;
    std::uint32_t Dot = 0;
    bool Inside = false;
    bool Marked = false;
};

// Drawing into the caller's buffer, clipped to it.
class Canvas {
  public:
    Canvas(std::span<std::uint32_t> out, int width, int height)
        : out_(out), width_(width), height_(height) {}

    void Plot(std::int64_t x, std::int64_t y, std::uint32_t word) {
        if (x >= 0 && y >= 0 && x < width_ && y < height_)
            out_[static_cast<std::size_t>(y * width_ + x)] = word;
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

    // A ring around (cx, cy): its line of half width `half` in `word`, a
    // light pixel's halo on both sides, and for a selected mark a dark line
    // outside that, so it stands out on any picture.
    void Ring(double cx, double cy, double radius, double half, std::uint32_t word, bool selected) {
        const double outer = half + (selected ? 2 : 1);
        const auto from = [](double v) { return static_cast<std::int64_t>(std::floor(v)); };
        for (std::int64_t y = std::max<std::int64_t>(from(cy - radius - outer), 0);
             y <= std::min<std::int64_t>(from(cy + radius + outer), height_ - 1); ++y)
            for (std::int64_t x = std::max<std::int64_t>(from(cx - radius - outer), 0);
                 x <= std::min<std::int64_t>(from(cx + radius + outer), width_ - 1); ++x) {
                const double band = std::abs(std::hypot(static_cast<double>(x) + 0.5 - cx,
                                                        static_cast<double>(y) + 0.5 - cy) -
                                             radius);
                if (band <= half)
                    Plot(x, y, word);
                else if (band <= half + 1)
                    Plot(x, y, LoupeLight);
                else if (band <= outer)
                    Plot(x, y, LoupeDark);
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
    ForEachLine(marks, [&](const Run &r) {
        count += x >= r.Left && x <= r.Right && y >= r.Top && y <= r.Bottom;
    });
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

double LoupeRingRadius(int zoom, bool selected) {
    return std::max(5.0, 0.75 * zoom + 2) + (selected ? 3 : 0);
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
    // The pixels in view, first to last, and where the first one's cell starts.
    const std::int64_t halfW = (width - z) / 2;
    const std::int64_t halfH = (height - z) / 2;
    const ScreenPoint first{scene.Centre.X + FloorDiv(-halfW, z),
                            scene.Centre.Y + FloorDiv(-halfH, z)};
    const ScreenPoint origin{halfW + (first.X - scene.Centre.X) * z,
                             halfH + (first.Y - scene.Centre.Y) * z};
    const auto cols = static_cast<std::size_t>(FloorDiv(width - 1 - origin.X, z) + 1);
    const auto rows = static_cast<std::size_t>(FloorDiv(height - 1 - origin.Y, z) + 1);
    const ScreenPoint last{first.X + static_cast<std::int64_t>(cols) - 1,
                           first.Y + static_cast<std::int64_t>(rows) - 1};

    // The pixels in view as the picture has them, then with the marks taken
    // out (each line a mark drew inverted its pixels once).
    // Kept from call to call: the loupe redraws on every crosshair move, and a
    // fresh buffer each time costs more in page faults than the drawing.
    thread_local std::vector<Cell> cells;
    cells.assign(cols * rows, Cell{});
    for (std::size_t j = 0; j < rows; ++j) {
        const std::int64_t py = first.Y + static_cast<std::int64_t>(j);
        if (py < 0 || py >= picture.Height())
            continue;
        const std::uint32_t *row = picture.Row(static_cast<int>(py));
        for (std::size_t i = 0; i < cols; ++i) {
            const std::int64_t px = first.X + static_cast<std::int64_t>(i);
            if (px >= 0 && px < picture.Width())
                cells[j * cols + i] = {ColourFromWord(row[px]), 0, 0, true, false};
        }
    }
    ForEachLine(scene.Marks, [&](const Run &r) {
        for (std::int64_t py = std::max<std::int64_t>(r.Top, first.Y);
             py <= std::min<std::int64_t>(r.Bottom, last.Y); ++py)
            for (std::int64_t px = std::max<std::int64_t>(r.Left, first.X);
                 px <= std::min<std::int64_t>(r.Right, last.X); ++px)
                cells[static_cast<std::size_t>((py - first.Y) * static_cast<std::int64_t>(cols) +
                                               (px - first.X))]
                    .Fill ^= MarkColour;
    });
    for (Cell &cell : cells) {
        if (!cell.Inside)
            continue;
        const Colour c = cell.Fill;
        cell = {WordFromColour(c), grid ? GridWord(c) : 0, Light(c) ? LoupeDark : LoupeLight, true,
                scene.LineColour && ColorNear(c, *scene.LineColour, scene.Tolerance)};
    }

    // Row by row of the screen, each cell's span of that row.
    const Dot dot = LineColourDot(z);
    for (int sy = 0; sy < height; ++sy) {
        const std::int64_t down = sy - origin.Y;
        const auto j = static_cast<std::size_t>(down / z);
        const std::int64_t r = down % z;
        const bool dotRow = r >= dot.Offset && r < dot.Offset + dot.Side;
        std::uint32_t *line = out.data() + static_cast<std::ptrdiff_t>(sy) * width;
        for (std::size_t i = 0; i < cols; ++i) {
            const std::int64_t left = origin.X + static_cast<std::int64_t>(i) * z;
            const int from = static_cast<int>(std::max<std::int64_t>(left, 0));
            const int to = static_cast<int>(std::min<std::int64_t>(left + z, width));
            const Cell &cell = cells[j * cols + i];
            if (!cell.Inside) {
                for (int sx = from; sx < to; ++sx)
                    line[sx] = OutsideWord(sx, sy);
                continue;
            }
            if (grid && r == 0) {
                std::fill(line + from, line + to, cell.Grid);
                continue;
            }
            std::fill(line + from, line + to, cell.Fill);
            if (grid && left >= 0)
                line[left] = cell.Grid;
            if (cell.Marked && dotRow)
                for (std::int64_t sx = std::max<std::int64_t>(left + dot.Offset, 0);
                     sx < std::min<std::int64_t>(left + dot.Offset + dot.Side, width); ++sx)
                    line[sx] = cell.Dot;
        }
    }

    // The recorded points' rings, under the crosshair's frames.
    for (const PointMark &mark : scene.Points) {
        const double cx = static_cast<double>(halfW) + (double{mark.X} - scene.Centre.X + 0.5) * z;
        const double cy = static_cast<double>(halfH) + (double{mark.Y} - scene.Centre.Y + 0.5) * z;
        canvas.Ring(cx, cy, LoupeRingRadius(z, mark.Selected), mark.Selected ? 1.5 : 1.0,
                    WordFromColour(mark.MarkColour), mark.Selected);
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
