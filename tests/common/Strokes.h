// Curves drawn the way plotting programs draw them, for the search tests:
// strokes of a given width anti-aliased by their exact coverage over
// whatever the picture holds, and a picture passed through a JPEG file.
#pragma once

#include "digitize/picture/JpegDecoder.h"
#include "digitize/picture/Surface.h"

#include <jpeglib.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <vector>

namespace strokes {

using digitize::Colour;
using digitize::Surface;

struct Curve {
    std::function<double(double)> f; // centre row at a column
    std::function<double(double)> slope;
    std::function<bool(double)> drawn = [](double) { return true; }; // where the stroke is inked
};

// Paints a stroke of the given width along the curve over whatever the
// picture holds. Pixel (c, r) covers [c-0.5, c+0.5] x [r-0.5, r+0.5]; within
// each of 256 sub-columns the stroke spans its centre +- half its width
// measured across the curve, and the pixel's coverage is the overlap of that
// span with the pixel, averaged over the sub-columns.
inline void Stroke(Surface &picture, const Curve &curve, double width, Colour colour) {
    constexpr int Sub = 256;
    std::vector<double> coverage(static_cast<std::size_t>(picture.Height()));
    for (int c = 0; c < picture.Width(); ++c) {
        std::fill(coverage.begin(), coverage.end(), 0.0);
        for (int k = 0; k < Sub; ++k) {
            const double x = c - 0.5 + (k + 0.5) / Sub;
            if (!curve.drawn(x))
                continue;
            const double y = curve.f(x);
            const double half = width / 2 * std::sqrt(1 + curve.slope(x) * curve.slope(x));
            const int from = std::max(0, static_cast<int>(std::floor(y - half)));
            const int to = std::min(picture.Height() - 1, static_cast<int>(std::ceil(y + half)));
            for (int r = from; r <= to; ++r) {
                const double overlap = std::min(r + 0.5, y + half) - std::max(r - 0.5, y - half);
                if (overlap > 0)
                    coverage[static_cast<std::size_t>(r)] += overlap / Sub;
            }
        }
        for (int r = 0; r < picture.Height(); ++r) {
            const double a = std::min(1.0, coverage[static_cast<std::size_t>(r)]);
            const Colour under = picture.Pixel(c, r);
            Colour mixed = 0;
            for (int shift = 0; shift < 24; shift += 8) {
                const double b = (under >> shift) & 0xFFu;
                const double l = (colour >> shift) & 0xFFu;
                mixed |= static_cast<Colour>(std::lround(b + a * (l - b))) << shift;
            }
            picture.Row(r)[c] = digitize::WordFromColour(mixed);
        }
    }
}

// The picture through a JPEG file of the given quality (4:2:0 chroma, as
// cameras and most plotting programs save).
inline Surface ThroughJpeg(const Surface &picture, int quality) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr errors{};
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(picture.Width());
    cinfo.image_height = static_cast<JDIMENSION>(picture.Height());
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(static_cast<std::size_t>(picture.Width()) * 3);
    while (cinfo.next_scanline < cinfo.image_height) {
        const auto y = static_cast<int>(cinfo.next_scanline);
        for (int x = 0; x < picture.Width(); ++x)
            for (int ch = 0; ch < 3; ++ch)
                row[static_cast<std::size_t>(x * 3 + ch)] =
                    static_cast<JSAMPLE>((picture.Pixel(x, y) >> (8 * ch)) & 0xFFu);
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    const std::vector<std::uint8_t> bytes(buffer, buffer + size);
    std::free(buffer);
    return digitize::JpegDecoder().Decode(bytes);
}

} // namespace strokes
