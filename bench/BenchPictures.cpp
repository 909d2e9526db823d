#include "BenchPictures.h"

#include <jpeglib.h>
#include <png.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <stdexcept>

namespace bench {

int CurveRow(int column) {
    return static_cast<int>(std::lround(2000.0 + 1200.0 * std::sin(column / 700.0)));
}

std::vector<std::uint8_t> ChartRgb() {
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(ChartWidth) * ChartHeight * 3, 255);
    const auto put = [&](int x, int y, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
        if (x < 0 || y < 0 || x >= ChartWidth || y >= ChartHeight)
            return;
        auto *p =
            &rgb[(static_cast<std::size_t>(y) * ChartWidth + static_cast<std::size_t>(x)) * 3];
        p[0] = r;
        p[1] = g;
        p[2] = b;
    };
    for (int y = 0; y < ChartHeight; ++y)
        for (int x = 0; x < ChartWidth; ++x)
            if (x % 500 == 0 || y % 500 == 0)
                put(x, y, 200, 200, 200);
    for (int x = 0; x < ChartWidth; ++x) {
        const int from = std::min(CurveRow(x), CurveRow(x + 1));
        const int to = std::max(CurveRow(x), CurveRow(x + 1));
        for (int y = from - 1; y <= to + 1; ++y)
            put(x, y, 20, 40, 170);
    }
    return rgb;
}

namespace {

using Rgb = std::vector<std::uint8_t>;

// The chart written once to path by write; later runs reuse the file, which
// holds the same picture.
std::string SavedOnce(const std::string &path, void (*write)(std::FILE *, const Rgb &)) {
    if (std::FILE *existing = std::fopen(path.c_str(), "rb")) {
        std::fclose(existing);
        return path;
    }
    std::unique_ptr<std::FILE, int (*)(std::FILE *)> file(std::fopen(path.c_str(), "wb"),
                                                          &std::fclose);
    if (!file)
        throw std::runtime_error("cannot write " + path);
    write(file.get(), ChartRgb());
    return path;
}

void WriteJpeg(std::FILE *file, const Rgb &rgb) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, file);
    cinfo.image_width = ChartWidth;
    cinfo.image_height = ChartHeight;
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 90, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        auto *row = const_cast<JSAMPLE *>(
            &rgb[static_cast<std::size_t>(cinfo.next_scanline) * ChartWidth * 3]);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
}

// libpng's default error handling ends the program on a write error, which
// is all a benchmark needs.
void WritePng(std::FILE *file, const Rgb &rgb) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, file);
    png_set_IHDR(png, info, ChartWidth, ChartHeight, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < ChartHeight; ++y)
        png_write_row(png, &rgb[static_cast<std::size_t>(y) * ChartWidth * 3]);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
}

} // namespace

const std::string &ChartJpegPath() {
    static const std::string path =
        SavedOnce("/tmp/plotwise-bench-chart-6000x4000.jpg", &WriteJpeg);
    return path;
}

const std::string &ChartPngPath() {
    static const std::string path = SavedOnce("/tmp/plotwise-bench-chart-6000x4000.png", &WritePng);
    return path;
}

} // namespace bench
