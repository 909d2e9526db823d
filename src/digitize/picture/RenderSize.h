// The size in pixels at which a drawn picture (a PDF page, an SVG drawing)
// is rendered: as asked where it fits the picture-size limit (MaxPixels),
// else at the largest resolution that fits.
#pragma once

namespace digitize {

// The resolutions a page is rendered at, in dots per inch.
inline constexpr int MinDpi = 72;
inline constexpr int MaxDpi = 1200;
inline constexpr int DefaultDpi = 300;
// The long side of a drawing without a resolution of its own, in pixels.
inline constexpr int MinLongSide = 100;
inline constexpr int MaxLongSide = 20000;
inline constexpr int DefaultLongSide = 2000;

struct RenderSize {
    int Width = 0;
    int Height = 0;
    double Scale = 0;     // pixels per unit of the drawing's own size
    bool Lowered = false; // the size asked for would exceed the limit
    friend bool operator==(const RenderSize &, const RenderSize &) = default;
};

// A page of width x height points (1/72 inch) at dpi dots per inch; each side
// at least one pixel, rounded up. The scale is dpi / 72, lowered to fit.
RenderSize PageSize(double widthPoints, double heightPoints, int dpi);

// A drawing of its own width x height, scaled so that its long side is
// longSide pixels (rounded), lowered to fit.
RenderSize DrawingSize(double width, double height, int longSide);

} // namespace digitize
