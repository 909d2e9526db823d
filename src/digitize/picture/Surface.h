// The picture: a 32-bit pixel buffer that the crosshair is drawn into and
// that colours are read from.
//
// Pixel (x, y): x from 0 to Width()-1 rightwards, y from 0 to Height()-1
// downwards. The buffer holds one 0xFFRRGGBB word per pixel, rows top to
// bottom without padding, so a display toolkit can show it without a copy.
// Colours at the interface are 0x00BBGGRR (red in the lowest byte); reading
// outside the surface gives OutsideColour. Lines leave out their end point
// and skip points outside the surface.
#pragma once

#include <cstdint>
#include <memory>

namespace digitize {

using Colour = std::uint32_t;
inline constexpr Colour OutsideColour = 0xFFFFFFFF;
inline constexpr Colour White = 0x00FFFFFF;

// The one picture-size limit every reader applies before it allocates: at
// most 2^28 pixels (1 GiB of pixels) and at most 65535 pixels a side. The
// side keeps the view reachable: a widget may be at most 16777215 pixels
// wide, and the picture is shown at up to 8 times its size.
inline constexpr std::int64_t MaxPixels = std::int64_t{1} << 28;
inline constexpr std::int64_t MaxSide = 65535;

constexpr bool WithinPictureLimit(std::int64_t width, std::int64_t height) {
    return width >= 0 && height >= 0 && width <= MaxSide && height <= MaxSide &&
           width * height <= MaxPixels;
}

// Pixels [Left, Right) x [Top, Bottom); empty when Right <= Left or Bottom <= Top.
struct Rect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool Empty() const { return Right <= Left || Bottom <= Top; }
    friend bool operator==(const Rect &, const Rect &) = default;
};

enum class PenMode { Copy, Xor };

struct Pen {
    Colour Color = 0;
    int Width = 1;
    PenMode Mode = PenMode::Copy;
};

// Display word (0xFFRRGGBB) <-> colour value (0x00BBGGRR).
constexpr Colour ColourFromWord(std::uint32_t word) {
    return ((word & 0xFFu) << 16) | (word & 0xFF00u) | ((word >> 16) & 0xFFu);
}
constexpr std::uint32_t WordFromColour(Colour colour) {
    return 0xFF000000u | ColourFromWord(colour);
}

class Surface {
  public:
    Surface() = default; // 0 x 0

    // A white surface. Throws Error when the size is negative or too large to hold.
    static Surface Blank(int width, int height);
    // A surface whose pixels a decoder is about to write; same errors as Blank.
    static Surface Uninitialised(int width, int height);
    // Throws Error naming the size when a width x height picture is negative or
    // over the picture-size limit.
    static void CheckSize(std::int64_t width, std::int64_t height);

    Surface(Surface &&) noexcept = default;
    Surface &operator=(Surface &&) noexcept = default;
    Surface(const Surface &) = delete;
    Surface &operator=(const Surface &) = delete;

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Contains(std::int64_t x, std::int64_t y) const {
        return x >= 0 && y >= 0 && x < width_ && y < height_;
    }

    std::uint32_t *Bits() { return bits_.get(); }
    const std::uint32_t *Bits() const { return bits_.get(); }
    std::uint32_t *Row(int y) { return bits_.get() + static_cast<std::ptrdiff_t>(y) * width_; }
    const std::uint32_t *Row(int y) const {
        return bits_.get() + static_cast<std::ptrdiff_t>(y) * width_;
    }

    Colour Pixel(std::int64_t x, std::int64_t y) const {
        return Contains(x, y) ? ColourFromWord(Row(static_cast<int>(y))[x]) : OutsideColour;
    }

    const digitize::Pen &Pen() const { return pen_; }
    void SetPen(const digitize::Pen &pen) { pen_ = pen; }

    // Draws from (x0, y0) up to (x1, y1), the end point left out, with the
    // pen (a square brush of its width). Answers the pixels it changed.
    Rect Line(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1);

  private:
    Surface(int width, int height);
    void Plot(std::int64_t x, std::int64_t y, std::uint32_t word, Rect &changed);

    int width_ = 0;
    int height_ = 0;
    std::unique_ptr<std::uint32_t[]> bits_;
    digitize::Pen pen_;
};

} // namespace digitize
