#include "BenchPictures.h"

#include <jpeglib.h>

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

const std::string &ChartJpegPath() {
    static const std::string path = [] {
        const std::string p = "/tmp/plotwise-bench-chart-6000x4000.jpg";
        if (std::FILE *existing = std::fopen(p.c_str(), "rb")) {
            std::fclose(existing); // made by an earlier run: the same picture
            return p;
        }
        const auto rgb = ChartRgb();
        std::unique_ptr<std::FILE, int (*)(std::FILE *)> file(std::fopen(p.c_str(), "wb"),
                                                              &std::fclose);
        if (!file)
            throw std::runtime_error("cannot write " + p);
        jpeg_compress_struct cinfo{};
        jpeg_error_mgr err{};
        cinfo.err = jpeg_std_error(&err);
        jpeg_create_compress(&cinfo);
        jpeg_stdio_dest(&cinfo, file.get());
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
        return p;
    }();
    return path;
}

} // namespace bench
